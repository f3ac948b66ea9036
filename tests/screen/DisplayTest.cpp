#include <gtest/gtest.h>

#include <string>

#include "map/Mapgen.hpp"
#include "screen/Display.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh {
namespace {

using Style = VirtualTerminal::Style;

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    useTerminal(terminal);
    startScreen();
  }
  void setTerrain(int x, int y, const Terrain& terrain) {
    map.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].terrain = terrain;
  }

  VirtualTerminal terminal;
  Map map = makemap(59, 19);
  Player king{true, 30, 10, Kills{0, 0, 0, 0, 0, 0}, "", false};
};

TEST_F(DisplayTest, MapCornersAndTerrainLooks) {
  setTerrain(1, 1, Water());
  setTerrain(2, 1, Water2());
  setTerrain(59, 19, Exit());
  showMapCell(map, king, {}, 1, 1);
  showMapCell(map, king, {}, 2, 1);
  showMapCell(map, king, {}, 59, 19);
  EXPECT_EQ(terminal.row(0), "==" + blanks(78));
  EXPECT_EQ(terminal.row(18), blanks(58) + ">" + blanks(21));
  EXPECT_EQ(terminal.styleAt(0, 0), (Style{Colour::Blue, true}));
  EXPECT_EQ(terminal.styleAt(1, 0), (Style{Colour::Blue, false}));
  EXPECT_EQ(terminal.styleAt(58, 18), (Style{Colour::Green, true}));
}

TEST_F(DisplayTest, LivePiecesHideTheKingAndTheGroundButCapturedOnesDoNot) {
  for (int x = 1; x <= 8; ++x) setTerrain(x, 3, Room());
  king.x = 5;
  king.y = 3;
  // Whatever sits at position 0 is never a piece.
  CreatureList pieces{Creature{true, 2, 3, Screencell{'X', Colour::Red, Attribute::Bold}, "x"}};
  const auto add = [&](const Creature& kind, int x, bool alive) {
    pieces.push_back(Creature{alive, x, 3, kind.look, kind.name});
  };
  add(Rook(), 4, false);
  add(Pawn(), 5, true);
  add(Pawn(), 7, true);
  add(Knight(), 7, true);
  for (int x = 1; x <= 8; ++x) showMapCell(map, king, pieces, x, 3);
  EXPECT_EQ(terminal.row(2), "....P.N." + blanks(72));  // of two on one cell the later shows
  EXPECT_EQ(terminal.styleAt(4, 2), (Style{Colour::Yellow, false}));

  pieces[2].alive = false;  // the King took the pawn on his cell
  refreshPlayerCell(king, map, pieces);
  EXPECT_EQ(terminal.row(2), "....@.N." + blanks(72));
  EXPECT_EQ(terminal.styleAt(4, 2), (Style{Colour::White, true}));
}

TEST_F(DisplayTest, MessagesClearSeventyFiveColumnsAndUseTheirLinesColour) {
  showMessage(std::string(80, 'x'), 3);
  showMessage("Illegal move.", 3);
  EXPECT_EQ(terminal.row(22), "Illegal move." + blanks(62) + "xxxxx");
  EXPECT_EQ(terminal.styleAt(0, 22), (Style{Colour::Red, true}));
  EXPECT_EQ(terminal.styleAt(20, 22), (Style{std::nullopt, false}));
  showMessage("You capture a pawn.", 0);
  EXPECT_EQ(terminal.styleAt(0, 19), (Style{std::nullopt, false}));
  const Colour colours[] = {Colour::Yellow, Colour::Cyan, Colour::Red, Colour::Green};
  for (int line = 1; line <= 4; ++line) {
    showMessage("m", line);
    EXPECT_EQ(terminal.styleAt(0, 19 + line), (Style{colours[line - 1], true})) << line;
  }
}

}  // namespace
}  // namespace vh
