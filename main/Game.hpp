// A run of games as one value that moves on one input at a time: every place where the run waits
// for a key is a state of the value, so nothing in the rules ever waits itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "creatures/Creaturedata.hpp"
#include "main/Vardenholt.hpp"
#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"
#include "random/Lfrand.hpp"
#include "save/Savedata.hpp"
#include "save/Store.hpp"
#include "screen/GameScreen.hpp"
#include "screen/Util.hpp"

namespace vh {

// One input: a key, or a signal that ends the program.
struct Input {
  int key;     // its full code, as the terminal gives it
  int signal;  // the termination signal, or 0 for a key
};

// Where a run waits for its next input.
enum class Waiting {
  Instructions,  // the story, before the first game
  Move,          // the King's first, second or third move of a turn
  Help,          // the help screen, in the middle of a move
  AreaEnd,       // the end of an area: the King captured, on to the next area, or the victory
  Question,      // "Play again?" or "Continue play?"
  ErrorLine,     // an error that ends the run, shown until a key is pressed
  Write,         // the outcome of the write of a file that the run asked for
  Over,          // nothing: the run has ended
};

// What the run asks of its files, which the caller carries out in order.
struct FileChange {
  bool remove;       // the file is deleted, and how that goes does not matter; else written whole
  std::string name;  // SaveEntry or HighScoreEntry
  std::string text;
};

// What a write that the run waits for is for.
enum class Writing { Save, SaveOnSignal, HighScore };

// The King and the pieces as the last turn left them: what a signal saves, so that a game resumed
// after one never gives the King more moves in a turn than he had.
struct TurnStart {
  Player player;
  CreatureList creatures;
};

struct Game {
  // What the run draws on, keeps its files in, draws its chance from and tells of its games: its
  // own screen, and the store, generator and observers in use when it began, its own while it
  // takes each input.
  GameScreen screen;
  Store* files;
  LfState generator;
  GameObserver told;
  TurnObserver watched;

  Waiting waiting;
  bool oneGame;  // ends with its first game, asking nothing; an error then escapes the step
  Player player;
  int level;
  int turns;  // turns played in this run of the game
  Map map;
  CreatureList creatures;
  TurnStart start;
  int move;                          // the move of the turn waited for: 1, 2 or 3
  std::optional<GameSummary> ended;  // the game that ended last
  std::string farewell;              // what to tell the player once the terminal is given back
  std::vector<FileChange> changes;   // asked for since the caller last carried them out
  Writing writing;                   // while the run waits for a write
  int signal;                        // that ended the game, while its save is written
};

// What the caller must do after the run took an input: bring the screen's updates to its
// terminal, carry out the changes to the files in order (and then tell the run how the write went
// when it waits for one), and give it the next key, or end once it is over. However it ended, by
// the player's leave, a signal or an error on its screen, a run that was played exits with 0.
struct Answer {
  std::vector<ScreenUpdate> updates;
  std::vector<FileChange> files;
  Waiting waiting;
};

// The next input from the terminal in use, waiting for it: a signal that came before the key or
// while it was awaited, or the key.
Input readInput();

// A run from the instructions, drawn on a screen of that many colours (0 for none); the run keeps
// to the store and the observers in use and the generator as it stands now.
Game startRun(int colours);
// One game from its first area (or the saved game the area finds) to its end, likewise.
Game startOneGame(int colours);
// What the run drew and asked for as it began.
Answer opening(Game& game);
// Acts on one key or signal where the run waits, reading the game's files, and leaves the run
// waiting for the next input.
Answer step(Game& game, Input input);
// Tells a run that waits for a write how it went: its error, if it failed.
Answer written(Game& game, const std::optional<GameError>& failure);
// Carries out the answer's changes in the store at once, telling the run how each write went,
// until the run waits for none: the answer with every update and the last state.
Answer settleFiles(Game& game, Answer answer, Store& store);

}  // namespace vh
