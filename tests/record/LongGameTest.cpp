#include <gtest/gtest.h>

#include <set>

#include "record/Replay.hpp"
#include "support/Board.hpp"
#include "support/CarefulKing.hpp"
#include "support/RecordedRun.hpp"

namespace vh::board {

// A piece threatens the King when its own rule takes him in its next move; one that another piece
// stands in front of still counts, since that piece may move out of its way first.
TEST(CarefulKing, CountsThePiecesThatCouldTakeHimNext) {
  const struct {
    const char* why;
    Picture board;
    int threats;
  } cases[] = {
      {"a pawn takes only diagonally", {"P...", ".@P.", "....", "...."}, 1},
      {"the rook sees past the knight, which cannot take him", {"@.NR", "....", "...."}, 1},
      {"the knight and bishop can, the rook is out of reach", {"@...R", "..N..", "..B.."}, 2},
  };
  for (const auto& [why, board, threats] : cases) {
    const Board b = Board::fromPicture(board);
    EXPECT_EQ(threatsOn(b.player, b.map, b.creatures), threats) << why;
  }
}

// The way out is counted in the moves his captures give him: across water only by jumping it.
TEST(CarefulKing, MeasuresTheWayOutInHisOwnMoves) {
  const Board b = Board::fromPicture({"..=..", "@.=..", "..=.."});
  EXPECT_EQ(stepsToExit(b.map, taken(""))[b.player.x][b.player.y], INT_MAX);
  EXPECT_EQ(stepsToExit(b.map, taken("50P"))[b.player.x][b.player.y], INT_MAX);
  EXPECT_EQ(stepsToExit(b.map, taken("10N"))[b.player.x][b.player.y], 3);
  EXPECT_EQ(stepsToExit(b.map, taken("50P 50N"))[b.player.x][b.player.y], 3);
}

// The careful player keeps out of every piece's reach first, then takes what he safely can, then
// goes the way that truly leads to the exit (the bottom-right cell), waiting when no step is safe.
TEST(CarefulKing, TakesWhatIsSafeKeepsOutOfReachAndFindsTheWayOut) {
  const struct {
    const char* why;
    Picture board;
    char key;
  } cases[] = {
      {"the pawn the rook guards is left, the other taken though it is away from the exit",
       {".......", ".P@P..R", ".......", "......."}, 'h'},
      {"the one pawn in reach is guarded, and the steps beside it are in its reach",
       {".......", "..@P..R", ".......", "......."}, '.'},
      {"the step towards the exit leads into a pocket of water",
       {".@...=.", ".=...=.", ".=====.", "......."}, 'h'},
      {"every step is in a bishop's reach",
       {".......", "...@...", ".B...B.", ".......", ".B....."}, '.'},
  };
  for (const auto& [why, board, key] : cases) {
    const Board b = Board::fromPicture(board);
    EXPECT_EQ(carefulKey(b.player, b.map, b.creatures), key) << why;
  }
}

// The benchmarks' long game still plays to the end it recorded, through screens and without:
// when a change of the rules breaks it, run record_long_game again (see RecordLongGame.cpp).
TEST(LongGame, VerifiesAndReplaysOverAThousandTurnsAndManyAreas) {
  const std::string path = std::string(VARDENHOLT_TEST_DATA) + "/long-game.vhr";
  std::string line;
  EXPECT_EQ(verifyQuietly({path}, &line), 0) << line;
  EXPECT_TRUE(line.starts_with("ending=saved ")) << line;

  std::set<int> areas;
  observeTurns([&](Moment moment, const Map&, const Player&, const CreatureList&, int level) {
    if (moment == Moment::AreaShown) areas.insert(level);
  });
  VirtualTerminal screen;
  const ReplayResult replayed = replayGame(loadRecording(path), screen);
  observeTurns(nullptr);
  ASSERT_TRUE(replayed.reached.has_value()) << replayed.error.value_or("");
  EXPECT_EQ(replayed.reached, replayed.recorded);
  EXPECT_GE(replayed.reached->turns, 1000);
  EXPECT_GE(areas.size(), 3U);
}

}  // namespace vh::board
