#include "main/Vardenholt.hpp"

#include <cstdio>
#include <string>

#include "creatures/Creatures.hpp"
#include "main/Game.hpp"
#include "map/Mapgen.hpp"
#include "random/Lfrand.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"

namespace vh {
namespace {

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

// Holds the terminal for the run and gives it back however the run ends.
class ScreenSession {
 public:
  ScreenSession() { startScreen(); }
  ~ScreenSession() {
    showCursor();
    endScreen();
  }
  ScreenSession(const ScreenSession&) = delete;
  ScreenSession& operator=(const ScreenSession&) = delete;
};

}  // namespace

Input readInput() {
  if (pendingSignal() != 0) return Input{NoKey, pendingSignal()};
  const int key = readKey();
  if (pendingSignal() != 0) return Input{NoKey, pendingSignal()};
  return Input{key, 0};
}

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
  std::string farewell;
  {
    ScreenSession session;
    Terminal& screen = terminalInUse();
    Game game = startRun(screen.colours());
    Answer answer = opening(game);
    showUpdates(screen, answer.updates);
    while (answer.waiting != Waiting::Over) {
      answer = settleFiles(game, step(game, readInput()), gameStore());
      showUpdates(screen, answer.updates);
    }
    farewell = game.farewell;
  }
  if (!farewell.empty()) std::printf("%s\n", farewell.c_str());
}

}  // namespace vh
