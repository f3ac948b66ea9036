// Writes saved games for the real-terminal tests into $HOME/.vh, so a test can start the game in
// a position it knows.
#include <cstdio>
#include <string_view>

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "map/Mapgen.hpp"
#include "player/Player.hpp"
#include "save/Savefile.hpp"

namespace vh {
namespace {

// An open floor with the King in the middle and four queens two cells away in every straight
// direction: whatever he does, one of them takes him this turn.
void saveDoomedKing() {
  Map map = Cleanup(AddEdge(makemap(MapWidth, MapHeight)), Room());
  Player king = newplayer();
  king.x = 30;
  king.y = 10;
  CreatureList queens;
  for (const auto& [x, y] : {std::pair{32, 10}, {28, 10}, {30, 12}, {30, 8}}) {
    Creature queen = Queen();
    queen.x = x;
    queen.y = y;
    appendCreature(queens, queen);
  }
  saveGame(map, king, queens, 4);
}

}  // namespace
}  // namespace vh

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "doomed") {
    vh::saveDoomedKing();
    return 0;
  }
  std::fprintf(stderr, "usage: e2e_fixture doomed\n");
  return 2;
}
