#include "main/Vardenholt.hpp"

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
  if (player.kills.queens >= 5 && notEscaped(map, player)) {
    extraMove(player, map, creatures, level, "Second move.");
    if (player.kills.queens >= 10 && notEscaped(map, player)) {
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

void finishArea(const Map& map, const Player& player, const CreatureList& creatures, int& level) {
  if (!player.alive) {
    showMessage("Press any key to exit.", 1);
    updateScreen();
    waitChar();
  } else if (player.saveRequested) {
    saveGame(map, player, creatures, level);
  } else if (player.kills.king == 0) {
    showMessage("Press any key for the next area.", 1);
    showMessage("", 2);
    updateScreen();
    waitChar();
    // Counted once the key is in, so a game saved while waiting resumes at this area's exit.
    ++level;
  } else {
    showMessage("You have killed the Black King and escaped! You have won!", 1);
    waitChar();
  }
  showMessage("", 1);
}

// A hangup or a request to terminate saves the game in play, as a dropped connection must not
// lose it; an interrupt from the keyboard only ends the run.
bool savesOnSignal(int signal) { return signal == SIGHUP || signal == SIGTERM; }

// One area, from a fresh map and pieces, or the saved game, to escape, capture or a save.
void playArea(Player& player, int& level) {
  Map map = buildAreaMap(level);
  player.x = 2;
  player.y = 2;
  CreatureList creatures = populateArea(map, level);
  // The fresh area is still built first: a restored game draws from the dice where it left off.
  if (saveExists()) {
    GameState saved = loadGame();
    map = std::move(saved.map);
    player = std::move(saved.player);
    creatures = std::move(saved.creatures);
    level = saved.level;
  }
  try {
    fullRefresh(map, player, creatures, level);
    player.saveRequested = false;
    notify(Moment::AreaShown, map, player, creatures, level);
    while (notEscaped(map, player) && player.alive && !player.saveRequested) {
      playTurn(player, map, creatures, level);
      notify(Moment::TurnOver, map, player, creatures, level);
    }
    finishArea(map, player, creatures, level);
  } catch (const Interrupted& interruption) {
    if (savesOnSignal(interruption.signal()) && player.alive) {
      saveGame(map, player, creatures, level);
    }
    throw;
  }
}

// One game from area 1 (or the saved game); true when the player wants another.
bool playGame() {
  Player player = newplayer();
  int level = 1;
  while (player.alive && player.kills.king == 0 && !player.saveRequested) {
    playArea(player, level);
  }
  if (player.saveRequested && player.alive) {
    printAtColour(15, 15, "Continue play? [Y/n]", Colour::Yellow, Attribute::Bold);
  } else {
    showScore(player, level);
    printAtColour(15, 15, "Play again? [Y/n]", Colour::Yellow, Attribute::Bold);
  }
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

// Long enough for any message the game makes, short enough for three screen rows.
constexpr std::size_t MaxErrorLine = 3 * 80;

std::string errorLine(const GameError& error) {
  std::string line = printableText(std::to_string(error.code()) + ": " + error.what());
  if (line.size() > MaxErrorLine) line = line.substr(0, MaxErrorLine - 3) + "...";
  return line;
}

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

void runVardenholt() {
  std::string failure;
  {
    ScreenSession session;
    try {
      showInstructions();
      try {
        while (playGame()) {
        }
      } catch (const GameError& error) {
        failure = errorLine(error);
        showError(failure);
      }
    } catch (const Interrupted&) {
      // A signal ended the run; a game in play has been saved on the way out.
    }
  }
  if (!failure.empty()) std::printf("%s\n", failure.c_str());
}

}  // namespace vh
