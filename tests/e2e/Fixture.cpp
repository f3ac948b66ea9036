// Writes saved games for the real-terminal tests into $HOME/.vh, so a test starts the game in a
// position it knows instead of one the clock chose; and tells what a plain replay of a recording
// shows, for the tests of the replay that the watcher steers.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "map/Mapgen.hpp"
#include "player/Player.hpp"
#include "record/Replay.hpp"
#include "save/Savefile.hpp"
#include "screen/VirtualTerminal.hpp"

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

// The rows above the bottom one of a plain replay's screen at every moment of the recording.
std::vector<std::string> replayedScreens(const char* path) {
  VirtualTerminal screen;
  std::vector<std::string> screens;
  const auto rows = [&screen] {
    std::string text;
    for (int row = 0; row < VirtualTerminal::Rows - 1; ++row) text += screen.row(row) + '\n';
    return text;
  };
  replayGame(loadRecording(path), screen, [&] { screens.push_back(rows()); });
  screens.push_back(rows());
  return screens;
}

// The moments at which the screen's area number changes.
void printAreaStarts(const char* path) {
  const std::vector<std::string> screens = replayedScreens(path);
  for (std::size_t moment = 1; moment < screens.size(); ++moment) {
    const auto area = [&](std::size_t at) { return screens[at].substr(60, 12); };
    if (area(moment) != area(moment - 1)) std::printf("%zu\n", moment);
  }
}

}  // namespace
}  // namespace vh

int main(int argc, char** argv) {
  const std::string_view mode = argc >= 2 ? argv[1] : "";
  if (mode == "screen" && argc == 4) {
    std::fputs(vh::replayedScreens(argv[2]).at(std::strtoul(argv[3], nullptr, 10)).c_str(), stdout);
  } else if (mode == "area-starts" && argc == 3) {
    vh::printAreaStarts(argv[2]);
  } else if (mode == "doomed") {
    vh::saveDoomedKing();
  } else if (mode == "open") {
    vh::saveOpenFloor(0);
  } else if (mode == "diagonal") {
    vh::saveOpenFloor(10);
  } else {
    std::fprintf(stderr,
                 "usage: e2e_fixture doomed|open|diagonal | screen RECORDING MOMENT | "
                 "area-starts RECORDING\n");
    return 2;
  }
  return 0;
}
