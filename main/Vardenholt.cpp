#include "main/Vardenholt.hpp"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>

#include "creatures/Creatures.hpp"
#include "main/Frames.hpp"
#include "map/Mapgen.hpp"
#include "player/Captures.hpp"
#include "player/Panel.hpp"
#include "player/Player.hpp"
#include "player/Redraw.hpp"
#include "random/Lfrand.hpp"
#include "save/Savefile.hpp"
#include "screen/Display.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

TurnObserver observer;
GameObserver gameObserver;

void notify(Moment moment, const Map& map, const Player& player, const CreatureList& creatures,
            int level) {
  if (observer) observer(moment, map, player, creatures, level);
}

// False when the placement window had no room left for the piece.
bool addPiece(const Map& map, int level, CreatureList& creatures, Creature kind) {
  auto piece = newCreature(map, level, creatures, std::move(kind));
  if (piece) appendCreature(creatures, std::move(*piece));
  return piece.has_value();
}

// Adds `kind` for j = first to level; the count of the kind is taken by the caller beforehand.
void addUpToLevel(const Map& map, int level, CreatureList& creatures, int first,
                  Creature (*kind)()) {
  for (int j = first; j <= level; ++j) {
    if (!addPiece(map, level, creatures, kind())) return;  // the window is full
  }
}

void addGuaranteedPieces(const Map& map, int level, CreatureList& creatures) {
  if (level >= 20) {
    addPiece(map, level, creatures, King());
    addUpToLevel(map, level, creatures, 20, Queen);
  } else if (level >= 15) {
    if (creaturesOfType(creatures, Queen()) < 1) addPiece(map, level, creatures, Queen());
  } else if (level >= 10) {
    addUpToLevel(map, level, creatures, creaturesOfType(creatures, Rook()) + 10, Rook);
  } else if (level >= 6) {
    addUpToLevel(map, level, creatures, creaturesOfType(creatures, Knight()) + 6, Knight);
  } else if (level >= 3) {
    addUpToLevel(map, level, creatures, creaturesOfType(creatures, Bishop()) + 3, Bishop);
  }
}

// Before a second or third move the player sees this move's captures and which move comes next.
void extraMove(Player& player, const Map& map, CreatureList& creatures, int level,
               const char* notice) {
  showKills(player);
  showMessage(player.message, 0);
  showMessage(notice, 1);
  updateScreen();
  player.message = "";
  movePlayer(player, map, creatures, level);
  if (checkCreatureKill(player, creatures)) refreshPlayerCell(player, map, creatures);
  showMessage("", 1);
}

// The King moves (up to three times with enough queens captured), then, unless he has reached
// the exit, every piece answers once.
void playTurn(Player& player, const Map& map, CreatureList& creatures, int level) {
  player.message = "";
  movePlayer(player, map, creatures, level);
  if (checkCreatureKill(player, creatures)) refreshPlayerCell(player, map, creatures);
  if (has(player.kills, Ability::SecondMove) && notEscaped(map, player)) {
    extraMove(player, map, creatures, level, "Second move.");
    if (has(player.kills, Ability::ThirdMove) && notEscaped(map, player)) {
      extraMove(player, map, creatures, level, "Third move.");
    }
  }
  if (notEscaped(map, player)) {
    moveCreatures(player, map, creatures);
    checkPlayerKill(player, creatures);
  }
  showKills(player);
  showMessage(player.message, 0);
  updateScreen();
}

// The end of an area by escape or capture; a save is the caller's.
void finishArea(const Player& player, int& level) {
  if (!player.alive) {
    showMessage("Press any key to exit.", 1);
    updateScreen();
    waitChar();
  } else if (player.kills.king == 0) {
    showMessage("Press any key for the next area.", 1);
    showMessage("", 2);
    updateScreen();
    waitChar();
    // Counted once the key is in, so a game saved while waiting resumes at this area's exit.
    level = std::min(level + 1, LastArea);
  } else {
    showMessage("You have killed the Black King and escaped! You have won!", 1);
    waitChar();
  }
  showMessage("", 1);
}

// A save the player asked for that failed: the game goes on, and he may ask again.
void showSaveFailure(const GameError& error) {
  constexpr int ErrorLine = 3;
  constexpr std::size_t Width = 75;
  int row = ErrorLine;
  for (const std::string& part : wrapText(errorLine(error), Width, 2)) showMessage(part, row++);
  showMessage("The game was not saved. Press S to try again, or play on.", 1);
  updateScreen();
}

// What the player reads once the terminal is given back after a signal ended the run.
const char* const SavedOnSignal = "Your game has been saved. Run vardenholt to continue it.";

// A game in play: the King, the area he is in, and the turns played so far in this run.
struct Game {
  Player player;
  int level;
  int turns;
};

// How a game ended, and what to tell the player once the terminal is given back.
struct GameEnd {
  GameSummary summary;
  std::string farewell;
};

// A game that a signal ended; it carries how.
struct EndedBySignal {
  GameEnd end;
};

Ending endingOf(const Player& player) {
  switch (outcomeOf(player)) {
    case Outcome::Win: return Ending::Win;
    case Outcome::Draw: return Ending::Draw;
    case Outcome::Lose: break;
  }
  return Ending::Lose;
}

GameSummary summaryOf(const Game& game, Ending ending, int signal) {
  const bool finished = ending == Ending::Win || ending == Ending::Draw || ending == Ending::Lose;
  const int score = finished ? scoreOf(game.player) : capturePoints(game.player.kills);
  return GameSummary{ending, game.level, score, game.player.kills, game.turns, signal};
}

// The game as it stood when the last turn ended: what a signal saves, so that a game resumed
// after one never gives the King more moves in a turn than he had.
struct TurnStart {
  Player player;
  CreatureList creatures;
};

// Ends the game a signal interrupted, saving it as the last turn left it; a captured King's game
// is over and has nothing left to save.
[[noreturn]] void endBySignal(const Map& map, const TurnStart& start, const Game& game,
                              int signal) {
  Game stopped{start.player, game.level, game.turns};
  if (!start.player.alive) {
    throw EndedBySignal{{summaryOf(stopped, endingOf(start.player), signal), ""}};
  }
  try {
    saveGame(map, start.player, start.creatures, game.level);
    throw EndedBySignal{{summaryOf(stopped, Ending::Saved, signal), SavedOnSignal}};
  } catch (const GameError& error) {
    throw EndedBySignal{{summaryOf(stopped, Ending::Stopped, signal), errorLine(error)}};
  }
}

// Turns until the King escapes, is captured or asks to save; then the end of the area. A save
// that fails leaves the King in the area to play on.
void playTurns(Game& game, const Map& map, CreatureList& creatures) {
  Player& player = game.player;
  TurnStart start{player, creatures};
  try {
    for (;;) {
      while (notEscaped(map, player) && player.alive && !player.saveRequested) {
        playTurn(player, map, creatures, game.level);
        ++game.turns;
        notify(Moment::TurnOver, map, player, creatures, game.level);
        start = TurnStart{player, creatures};
      }
      // A captured King's game is over, whatever he asked for in his last turn.
      if (!player.saveRequested || !player.alive) break;
      try {
        saveGame(map, player, creatures, game.level);
        showMessage("", 1);
        return;
      } catch (const GameError& error) {
        player.saveRequested = false;
        start.player.saveRequested = false;
        showSaveFailure(error);
      }
    }
    finishArea(player, game.level);
  } catch (const Interrupted& interruption) {
    endBySignal(map, start, game, interruption.signal());
  }
}

// One area, from a fresh map and pieces, or the saved game, to escape, capture or a save.
void playArea(Game& game) {
  Map map = buildAreaMap(game.level);
  game.player.x = 2;
  game.player.y = 2;
  CreatureList creatures = populateArea(map, game.level);
  // The fresh area is still built first: a restored game draws from the dice where it left off.
  if (saveExists()) {
    GameState saved = loadGame();
    map = std::move(saved.map);
    game.player = std::move(saved.player);
    creatures = std::move(saved.creatures);
    game.level = saved.level;
  }
  game.player.saveRequested = false;
  fullRefresh(map, game.player, creatures, game.level);
  notify(Moment::AreaShown, map, game.player, creatures, game.level);
  playTurns(game, map, creatures);
}

// One game to its end, its observers told; a signal ends it as well.
GameEnd playToEnd() {
  if (gameObserver.started) gameObserver.started();
  GameEnd end;
  try {
    Game game{newplayer(), 1, 0};
    const Player& player = game.player;
    while (player.alive && player.kills.king == 0 && !player.saveRequested) playArea(game);
    if (player.saveRequested && player.alive) {
      end.summary = summaryOf(game, Ending::Saved, 0);
    } else {
      showScore(player, game.level);
      end.summary = summaryOf(game, endingOf(player), 0);
    }
  } catch (const EndedBySignal& ending) {
    end = ending.end;
  }
  if (gameObserver.ended) gameObserver.ended(end.summary);
  return end;
}

// The question after a game; true when the player wants another.
bool askForAnother(const GameSummary& summary) {
  printAtColour(15, 15,
                summary.ending == Ending::Saved ? "Continue play? [Y/n]" : "Play again? [Y/n]",
                Colour::Yellow, Attribute::Bold);
  const int key = readChar();
  return key != 'n' && key != 'N';
}

// Holds the terminal for the run and gives it back however the run ends.
class ScreenSession {
 public:
  ScreenSession() {
    startScreen();
    hideCursor();
  }
  ~ScreenSession() {
    showCursor();
    endScreen();
  }
  ScreenSession(const ScreenSession&) = delete;
  ScreenSession& operator=(const ScreenSession&) = delete;
};

// The error is shown on the screen while the game waits for the key, since the terminal shows
// nothing written to standard output until it is given back.
void showError(const std::string& line) {
  clearScreen();
  printAtColour(0, 0, line, Colour::Red, Attribute::Bold);
  printAt(0, 4, "Press any key to exit.");
  updateScreen();
  waitChar();
}

}  // namespace

void observeTurns(TurnObserver turnObserver) { observer = std::move(turnObserver); }

bool notEscaped(const Map& map, const Player& player) {
  return !(player.x == map.width - 1 && player.y == map.height - 1);
}

Map buildAreaMap(int level) { return initmap(level > 9 ? 1 : 0, makemap(MapWidth, MapHeight)); }

CreatureList populateArea(const Map& map, int level) {
  CreatureList creatures;
  const int randomCount = lfDice(Dicespec{level, 3, 6});
  // From area 20 on the Black King and his queens are certain to come, so random pieces leave
  // them room; below that a piece is only ever skipped when the window is already full.
  const int reserved = level >= 20 ? level - 18 : 0;
  int room = freePlacementCells(map, creatures);
  for (int i = 1; i <= randomCount && room > reserved; ++i, --room) {
    addPiece(map, level, creatures, Random());
  }
  addGuaranteedPieces(map, level, creatures);
  return creatures;
}

GameSummary playOneGame() { return playToEnd().summary; }

void observeGames(GameObserver observing) { gameObserver = std::move(observing); }

void runVardenholt() {
  std::string farewell;
  {
    ScreenSession session;
    try {
      showInstructions();
      try {
        for (;;) {
          const GameEnd end = playToEnd();
          if (end.summary.signal != 0) {
            farewell = end.farewell;
            break;
          }
          if (!askForAnother(end.summary)) break;
        }
      } catch (const GameError& error) {
        farewell = errorLine(error);
        showError(farewell);
      }
    } catch (const Interrupted&) {
      // A signal outside play: no game was in progress, so nothing is lost.
    }
  }
  if (!farewell.empty()) std::printf("%s\n", farewell.c_str());
}

}  // namespace vh
