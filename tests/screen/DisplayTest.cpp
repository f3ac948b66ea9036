#include <gtest/gtest.h>

#include "map/Mapgen.hpp"
#include "screen/Display.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"

using namespace vh;

TEST(Display, PieceOverKingOverGroundAndMessagesClearSeventyFiveColumns) {
  VirtualTerminal terminal;
  const UsingTerminal drawnOn(terminal);
  const Map map = Cleanup(makemap(8, 1), Room());
  const Player king{true, 5, 1, Kills{}, "", false};
  const Screencell p = Pawn().look, n = Knight().look;
  // Position 0 is never a piece; of two living pieces on one cell the later shows.
  CreatureList pieces{{true, 2, 1, p, ""}, {false, 3, 1, p, ""}, {true, 5, 1, p, ""},
                      {true, 7, 1, p, ""}, {true, 7, 1, n, ""}};
  for (int x = 0; x <= 9; ++x) showMapCell(map, king, pieces, x, 1);  // only cells on the map show
  for (const int y : {0, 2}) showMapCell(map, king, pieces, 1, y);
  EXPECT_EQ(terminal.row(0), "....P.N." + std::string(72, ' '));
  pieces[2].alive = false;  // the King took the pawn on his cell
  refreshPlayerCell(king, map, pieces);
  EXPECT_EQ(terminal.row(0), "....@.N." + std::string(72, ' '));
  showMessage(std::string(80, 'x'), 3);
  showMessage("Illegal move.", 3);
  EXPECT_EQ(terminal.row(22), "Illegal move." + std::string(62, ' ') + "xxxxx");
  // There are five message lines and no others.
  const std::string before = terminal.toString();
  showMessage("beyond", 5);
  showMessage("before", -1);
  EXPECT_EQ(terminal.toString(), before);
}
