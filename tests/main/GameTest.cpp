#include <gtest/gtest.h>

#include "main/Vardenholt.hpp"
#include "save/Savefile.hpp"
#include "support/Board.hpp"
#include "support/TempHome.hpp"

namespace vh::board {

// Turns through the driver from a saved board whose row ends on the exit: five captured queens give
// the King a second move and ten a third, a piece that takes him ends the game, and reaching the
// exit ends the turn before any piece answers.
TEST_F(Gameplay, TurnsGiveTheKingOneToThreeMovesAndEndWhenHeIsTakenOrOut) {
  const TempHome home;
  const struct { const char *kills, *row, *keys, *line0, *line1; } turns[] = {
      {"4Q", "@P..", "l", "You captured a pawn! ", ""}, {"5Q", "@P..", "ll", "", ""},
      {"5Q", "@P..", "l", "You captured a pawn! ", "Second move."},
      {"4Q", "@Q..", "l", "You captured a queen! ", "Second move."},
      {"10Q", "@P..", "ll", "", "Third move."}, {"10Q", "@P..", "llh", "", ""},
      {"", "@PQ.", "l", "You captured a pawn! You were captured by a queen. Checkmate.",
       "Press any key to exit."},
      {"10Q", "R.@.", "l", "", "Press any key for the next area."}};
  for (const auto& [kills, row, keys, line0, line1] : turns) {
    const Board b = Board::fromPicture({row}, taken(kills), MapWidth, MapHeight);
    saveGame(b.map, b.player, b.creatures, 1);
    terminal.pressKeys(" " + std::string(keys));  // past the instructions first
    EXPECT_THROW(runVardenholt(), KeyScriptExhausted);
    EXPECT_EQ(terminal.row(19) + terminal.row(20), line(line0) + line(line1)) << kills << keys;
  }
}

}  // namespace vh::board
