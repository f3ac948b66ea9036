#include <gtest/gtest.h>

#include "player/Player.hpp"
#include "support/Board.hpp"

namespace vh::board {

// The King at (5, 5) with something different on each cell his moves can reach.
const Picture around{".......", "...P...", "..P..P.", "..P@=..", "..#..=.", ".....=.", "......."};

constexpr int No = 99;  // not a legal move: the King stays and is told so

// Each key, given after a request for the help and one to save, neither of which is a move: where
// it takes the King, and that the cells it changed are redrawn.
TEST_F(Gameplay, KingFollowsTheKeysHisCapturesOpen) {
  // Any King steps one cell orthogonally, onto floor or a piece, or waits; water stops him. Ten
  // pawns teach capturing diagonally; ten bishops moving there too, and two cells on; fifty sweep
  // the piece in between (the last number: pawns swept). Ten knights teach jumps onto floor or a
  // piece, never water; fifty, leaping the cell in between. Two cells orthogonally: fifty pawns
  // onto free floor only, ten rooks onto a piece as well, and fifty sweep, in two half-steps even
  // over an empty cell; a one-cell step never sweeps.
  struct Move {
    const char *kills, *keys;
    int dx, dy = 0, swept = 0;
  };
  const Move moves[] = {{"", "h4", -1, 0},        {"", "j2", 0, 1},
                        {"", ".5", 0, 0},         {"50R", "k8", 0, -1},
                        {"", "l6y", No},          {"9P", "y", No},
                        {"10P", "y", -1, -1},     {"10P", "9", No},
                        {"9B", "U", No},          {"10B", "u9", 1, -1},
                        {"10B", "7", -1, -1},     {"10B", "n3", 1, 1},
                        {"10B", "U(", 2, -2},     {"49B 49N", "YBN", No},
                        {"50B", "Y", -2, -2, 1},  {"50N 10B", "Y", -2, -2},
                        {"50N 10B", "B!", -2, 2}, {"50N 50B", "&", -2, -2, 1},
                        {"9N", "q", No},          {"10N", "d", No},
                        {"10N", "q", -1, -2},     {"10N", "w", 1, -2},
                        {"10N", "e", 2, -1},      {"10N", "c", 1, 2},
                        {"10N", "x", -1, 2},      {"10N", "z", -2, 1},
                        {"10N", "a", -2, -1},     {"9R 49P", "KJ", No},
                        {"50P", "J\"", 0, 2},     {"50P 9R", "KHL", No},
                        {"10R", "K", 0, -2},      {"49R 49N", "$^", No},
                        {"50R", "H", -2, 0, 1},   {"50R", "J", 0, 2},
                        {"50N 10R", "L", 2, 0},   {"50N 10R", "H", -2, 0},
                        {"50P 50N", "K", No},     {"50P 50N", "L", 2, 0},
                        {"50N 50R", "*", 0, -2},  {"50N 50R", "H", -2, 0, 1},
                        {"50N 50R", "L", 2, 0}};
  for (const auto& [kills, keys, dx, dy, swept] : moves) {
    for (const char key : std::string(keys)) {
      SCOPED_TRACE(testing::Message() << "key " << key << " after " << kills);
      Board b = Board::fromPicture(around, taken(kills));
      fullRefresh(b.map, b.player, b.creatures, 1);
      EXPECT_EQ(movePlayer(b.player, b.map, b.creatures, 1, '?'), MoveResult::Help);
      EXPECT_EQ(movePlayer(b.player, b.map, b.creatures, 1, 'S'), MoveResult::Pending);
      EXPECT_EQ(movePlayer(b.player, b.map, b.creatures, 1, key),
                dx == No ? MoveResult::Pending : MoveResult::Moved);
      EXPECT_EQ(terminal.row(22), line(dx == No ? "That's not a legal move." : ""));
      EXPECT_EQ(std::pair(b.player.x - 5, b.player.y - 5), std::pair(dx == No ? 0 : dx, dy));
      EXPECT_EQ(b.player.message, swept ? "You captured a pawn! " : "");
      expectRedrawn(b, 0, 8, 0, 8);  // the cells the move changed
    }
  }
}

}  // namespace vh::board
