#include <gtest/gtest.h>

#include <set>

#include "record/Replay.hpp"
#include "support/RecordedRun.hpp"

namespace vh {

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

}  // namespace vh
