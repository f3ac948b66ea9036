// A run of games as one value that moves on one input at a time: every place where the run waits
// for a key is a state of the value, so nothing in the rules ever waits itself.
#pragma once

#include <optional>
#include <string>

#include "creatures/Creaturedata.hpp"
#include "main/Vardenholt.hpp"
#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// One input: a key, or a signal that ends the program.
struct Input {
  int key;     // its full code, the keypad's keys as their digits
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
  Over,          // nothing: the run has ended
};

// The King and the pieces as the last turn left them: what a signal saves, so that a game resumed
// after one never gives the King more moves in a turn than he had.
struct TurnStart {
  Player player;
  CreatureList creatures;
};

struct Game {
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
};

// A run from the instructions, which it draws on the terminal in use.
Game startRun();
// One game from its first area (or the saved game the area finds) to its end.
Game startOneGame();
// Acts on one input where the run waits, drawing on the terminal in use and writing the game's
// files, and leaves the run waiting for the next one.
void step(Game& game, Input input);

}  // namespace vh
