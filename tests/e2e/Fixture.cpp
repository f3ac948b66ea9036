// Writes saved games for the real-terminal tests into $HOME/.vh, so a test starts the game in a
// position it knows instead of one the clock chose.
#include <cstdio>
#include <string_view>

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "map/Mapgen.hpp"
#include "player/Player.hpp"
#include "save/Savefile.hpp"

namespace vh {
namespace {

Map openFloor() { return Cleanup(AddEdge(makemap(MapWidth, MapHeight)), Room()); }

Creature pieceAt(Creature piece, int x, int y) {
  piece.x = x;
  piece.y = y;
  return piece;
}

// The King in the middle and four queens two cells away in every straight direction: whatever
// he does, one of them takes him this turn.
void saveDoomedKing() {
  Player king = newplayer();
  king.x = 30;
  king.y = 10;
  CreatureList queens;
  for (const auto& [x, y] : {std::pair{32, 10}, {28, 10}, {30, 12}, {30, 8}}) {
    appendCreature(queens, pieceAt(Queen(), x, y));
  }
  saveGame(openFloor(), king, queens, 4);
}

// The King in the middle of an open floor, a lone pawn in the far corner: room to walk every
// way for many turns. With ten bishops captured he also steps diagonally.
void saveOpenFloor(int bishops) {
  Player king = newplayer();
  king.x = 30;
  king.y = 10;
  king.kills.bishops = bishops;
  CreatureList pawn;
  appendCreature(pawn, pieceAt(Pawn(), 3, 17));
  saveGame(openFloor(), king, pawn, 1);
}

}  // namespace
}  // namespace vh

int main(int argc, char** argv) {
  const std::string_view mode = argc == 2 ? argv[1] : "";
  if (mode == "doomed") {
    vh::saveDoomedKing();
  } else if (mode == "open") {
    vh::saveOpenFloor(0);
  } else if (mode == "diagonal") {
    vh::saveOpenFloor(10);
  } else {
    std::fprintf(stderr, "usage: e2e_fixture doomed|open|diagonal\n");
    return 2;
  }
  return 0;
}
