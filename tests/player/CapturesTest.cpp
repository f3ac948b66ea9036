#include <gtest/gtest.h>

#include "player/Captures.hpp"
#include "support/Board.hpp"

namespace vh::board {

// Whatever else the King had captured (every mix of 0, 9, 10, 49 and 50 pawns, knights, bishops and
// rooks), a capture counts the piece, announces on line 2 the ability it opens, and leaves the
// keypad as a full redraw from the new counts draws it.
TEST_F(Gameplay, CapturesAnnounceTheAbilityTheyOpenAndRecolourTheKeypad) {
  const std::pair<std::string, std::string> captures[] = {
      // the count before, the announcement
      {"9P", "You gain the ability to capture diagonally!"},
      {"10P", ""},
      {"49P", "You gain the ability to move two squares orthogonally!"},
      {"9N", "You gain the ability to move or capture by jumping like a knight!"},
      {"49N", "You can now apply your jumping ability to any of your two space moves!"},
      {"9B", "You gain the ability to move and capture up to two squares diagonally!"},
      {"49B", "You gain the ability to capture anything in your path diagonally!"},
      {"9R", "You gain the ability to move and capture up to two squares orthogonally!"},
      {"49R", "You gain the ability to capture anything in your path orthogonally!"},
      {"4Q", "You gain the ability to make two moves in a row!"},
      {"9Q", "You gain the ability to make THREE moves in a row!"},
      {"10Q", ""}};
  const int n[] = {0, 9, 10, 49, 50};
  for (const auto& [was, announcement] : captures) {
    for (int mix = 0; mix < 5 * 5 * 5 * 5; ++mix) {
      SCOPED_TRACE(testing::Message() << was << " in mix " << mix);
      const Kills others{n[mix % 5], n[mix / 5 % 5], n[mix / 25 % 5], n[mix / 125], 0, 0};
      Board b = Board::fromPicture({std::string("@") + was.back()}, taken(was, others));
      b.player.x = 3;  // onto the piece
      fullRefresh(b.map, b.player, b.creatures, 1);
      checkCreatureKill(b.player, b.creatures);
      ASSERT_EQ(b.player.kills, taken(std::to_string(std::stoi(was) + 1) + was.back(), others));
      ASSERT_EQ(terminal.row(21), line(announcement));
      ASSERT_EQ(b.player.message, "You captured a " + b.creatures[1].name + "! ");
      expectRedrawn(b, 11, 17, 60, 79);
    }
  }
}

}  // namespace vh::board
