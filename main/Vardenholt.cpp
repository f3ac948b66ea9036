#include "main/Vardenholt.hpp"

#include <cstdio>
#include <string>

#include "creatures/Creatures.hpp"
#include "main/Instructions.hpp"
#include "map/Mapgen.hpp"
#include "player/Captures.hpp"
#include "player/Panel.hpp"
#include "player/Player.hpp"
#include "player/Redraw.hpp"
#include "random/Lfrand.hpp"
#include "screen/Display.hpp"
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

void finishArea(const Player& player, int& level) {
  if (!player.alive) {
    showMessage("Press any key to exit.", 1);
    updateScreen();
    waitChar();
  } else if (player.saveRequested) {
    // The game is written to disk here once saving exists.
  } else if (player.kills.king == 0) {
    ++level;
    showMessage("Press any key for the next area.", 1);
    showMessage("", 2);
    updateScreen();
    waitChar();
  } else {
    showMessage("You have killed the Black King and escaped! You have won!", 1);
    waitChar();
  }
  showMessage("", 1);
}

// One area, from a fresh map and pieces to escape, capture or a save request.
void playArea(Player& player, int& level) {
  const Map map = buildAreaMap(level);
  player.x = 2;
  player.y = 2;
  CreatureList creatures = populateArea(map, level);
  fullRefresh(map, player, creatures, level);
  player.saveRequested = false;
  while (notEscaped(map, player) && player.alive && !player.saveRequested) {
    playTurn(player, map, creatures, level);
  }
  finishArea(player, level);
}

// One game from area 1; true when the player wants another.
bool playGame() {
  Player player = newplayer();
  int level = 1;
  while (player.alive && player.kills.king == 0 && !player.saveRequested) {
    playArea(player, level);
  }
  const bool saved = player.saveRequested && player.alive;
  printAtColour(15, 15, saved ? "Continue play? [Y/n]" : "Play again? [Y/n]", Colour::Yellow,
                Attribute::Bold);
  const int key = readChar();
  return key != 'n' && key != 'N';
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
  showInstructions();
  try {
    while (playGame()) {
    }
  } catch (const GameError& error) {
    std::printf("%d: %s\n", error.code(), error.what());
    waitChar();
  }
  showCursor();
  endScreen();
}

}  // namespace vh
