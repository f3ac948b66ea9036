#include <gtest/gtest.h>

#include "player/Keys.hpp"
#include "support/Board.hpp"

namespace vh::board {

// The question which moves are open needs no screen and no key: its answer is every key that
// moves the King from where he stands, each with the keypad's colour of its group and whether it
// lands on a piece.
TEST(Keys, TheOpenMovesAreTheKeysThatMoveTheKingInTheKeypadsColours) {
  const Picture around{".......", "...P...", "..P..P.", "..P@=..", "..#..=.", ".....=.", "......."};
  const struct {
    const char *kills, *open;
  } cases[] = {{"", "hjk."},
               {"10P", "hjk.y"},
               {"10B", "hjk.yunU"},
               {"50P 10N", "hjk.yqwecxzaJ"},
               {"50N 50B 50R", "hjk.yunYUBqwecxzaHJKL"}};
  for (const auto& [kills, open] : cases) {
    SCOPED_TRACE(kills);
    const Board b = Board::fromPicture(around, taken(kills));
    std::string letters;
    for (const OpenMove& move : openMoves(b.player, b.map, b.creatures)) {
      letters += move.key.letter;
      EXPECT_EQ(move.x, b.player.x + move.key.dx);
      EXPECT_EQ(move.y, b.player.y + move.key.dy);
      EXPECT_EQ(move.captures, move.key.group != KeyGroup::Wait && iscreatureAt(b.creatures, move.x, move.y));
      EXPECT_EQ(move.colour, keyColour(move.key.group, b.player.kills));
    }
    EXPECT_EQ(letters, open);
  }
}

}  // namespace vh::board
