#include "main/Vardenholt.hpp"

#include <cstdio>
#include <string>

#include "creatures/Creatures.hpp"
#include "map/Mapgen.hpp"
#include "player/Player.hpp"
#include "random/Lfrand.hpp"
#include "screen/Screen.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

void addPiece(const Map& map, int level, CreatureList& creatures, Creature kind) {
  if (auto piece = newCreature(map, level, creatures, std::move(kind))) {
    appendCreature(creatures, std::move(*piece));
  }
}

// Adds `kind` for j = first to level; the count of the kind is taken by the caller beforehand.
void addUpToLevel(const Map& map, int level, CreatureList& creatures, int first,
                  Creature (*kind)()) {
  for (int j = first; j <= level; ++j) addPiece(map, level, creatures, kind());
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

// Plays one area as far as the game goes yet: the area is built and drawn, and a key ends it.
void playArea(Player& player, int level) {
  Map map = buildAreaMap(level);
  player.x = 2;
  player.y = 2;
  const CreatureList creatures = populateArea(map, level);
  showmap(map, player, creatures);
  waitChar();
}

void playGames() {
  Player player = newplayer();
  playArea(player, 1);
}

}  // namespace

bool notEscaped(const Map& map, const Player& player) {
  return !(player.x == map.width - 1 && player.y == map.height - 1);
}

Map buildAreaMap(int level) {
  return initmap(level > 9 ? 1 : 0, makemap(MapWidth, MapHeight));
}

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
  startScreen();
  hideCursor();
  try {
    playGames();
  } catch (const GameError& error) {
    std::printf("%d: %s\n", error.code(), error.what());
    waitChar();
  }
  showCursor();
  endScreen();
}

}  // namespace vh
