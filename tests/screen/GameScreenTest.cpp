#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen/GameScreen.hpp"

using namespace vh;

namespace {

std::string cellsOf(const ScreenUpdate& update) {
  std::string text;
  for (const CellUpdate& changed : update.cells) {
    text += std::to_string(changed.column) + "," + std::to_string(changed.row) + "=" +
            changed.cell.glyph + " ";
  }
  return text;
}

}  // namespace

// An update carries only the cells that differ from what the last one left, and the cursor where
// curses leaves it: after the text, on the last cell once the text reaches it, at the origin after
// a clear; writes outside the screen change nothing. A clear draws every cell that is not blank.
TEST(GameScreen, UpdatesCarryWhatChangedAndTheCursorAsCursesLeavesIt) {
  GameScreen screen(8);
  screen.write(78, 0, "abc");
  screen.refresh();
  screen.write(78, 0, "aXc");
  screen.write(80, 5, "off");
  screen.write(3, 24, "off");
  screen.write(-1, 2, "off");
  std::vector<ScreenUpdate> updates = screen.takeUpdates();
  ASSERT_EQ(updates.size(), 2U);
  EXPECT_EQ(cellsOf(updates[0]), "78,0=a 79,0=b 0,1=c ");
  EXPECT_EQ(cellsOf(updates[1]), "79,0=X ");
  EXPECT_EQ(updates[1].cursorColumn, 1);
  EXPECT_EQ(updates[1].cursorRow, 1);
  EXPECT_TRUE(screen.takeUpdates().empty()) << "nothing drawn since, nothing to bring";

  screen.write(79, 23, "zz");
  screen.setCursorVisible(false);
  updates = screen.takeUpdates();
  ASSERT_EQ(updates.size(), 1U);
  EXPECT_EQ(updates[0].cursorColumn, 79);
  EXPECT_EQ(updates[0].cursorRow, 23);
  EXPECT_FALSE(updates[0].cursorVisible);

  screen.clear();
  screen.attributesOn(TextAttributes{true, 2});
  screen.write(5, 5, " ");
  updates = screen.takeUpdates();
  ASSERT_EQ(updates.size(), 1U);
  EXPECT_TRUE(updates[0].cleared);
  EXPECT_EQ(cellsOf(updates[0]), "5,5=  ") << "a coloured blank is drawn, the plain ones are not";
  EXPECT_EQ(updates[0].cursorColumn, 6);
  EXPECT_EQ(screen.cells().cell(0, 1).glyph, ' ');
  screen.clear();
  screen.refresh();
  updates = screen.takeUpdates();
  EXPECT_EQ(std::pair(updates.at(0).cursorColumn, updates.at(0).cursorRow), std::pair(0, 0))
      << "a clear takes the cursor home";
}
