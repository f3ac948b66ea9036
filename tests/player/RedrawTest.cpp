#include <gtest/gtest.h>

#include "player/Panel.hpp"
#include "support/Board.hpp"
#include "support/Golden.hpp"

namespace vh::board {

// A full redraw shows the area, the map and the side panel: the captures list, and the keypad with
// only the keys open to the King, each group in the colour of what its moves do.
TEST_F(Gameplay, FullRedrawShowsTheCapturesAndTheKeysTheyOpen) {
  const std::pair<const char*, const char*> mixes[] = {{"new-king", ""},
                                                       {"10-pawns", "10P"},
                                                       {"50-pawns", "50P 9R"},
                                                       {"10-bishops", "10B 10P"},
                                                       {"50-bishops", "50B"},
                                                       {"10-rooks-50-knights", "10R 50N"},
                                                       {"50-of-each", "50P 50N 50B 50R 12Q 1K"}};
  for (const auto& [name, kills] : mixes) {
    const Board b = Board::fromPicture({"@P", "=#"}, taken(kills));
    fullRefresh(b.map, b.player, b.creatures, 12);
    golden::expectScreen(terminal, std::string("panel-") + name);
  }
  // With every group open, a tap on the keypad finds the key drawn there, and nothing elsewhere.
  for (int row = 0; row < 24; ++row) {
    for (int column = 0; column < 80; ++column) {
      const char shown = terminal.charAt(column, row);
      const bool onKeypad = row >= 13 && row <= 17 && column >= 60 && shown != ' ';
      EXPECT_EQ(keypadKeyAt(column, row), onKeypad ? std::optional<int>(shown) : std::nullopt)
          << column << "," << row;
    }
  }
}

TEST_F(Gameplay, HelpScreenIsDrawnWhole) {
  printAt(0, 23, "scribbled over");
  showHelp();
  golden::expectScreen(terminal, "help");
}

}  // namespace vh::board
