#include <gtest/gtest.h>

#include "screen/Util.hpp"

namespace vh {
namespace {

TEST(Util, LooprangeCountsUpDownOrOnce) {
  EXPECT_EQ(looprange(2, 5), (std::vector<int>{2, 3, 4, 5}));
  EXPECT_EQ(looprange(5, 2), (std::vector<int>{5, 4, 3, 2}));
  EXPECT_EQ(looprange(3, 3), (std::vector<int>{3}));
}

TEST(Util, RoundDownDropsTheRemainder) {
  EXPECT_EQ(roundDown(7, 2), 6);
  EXPECT_EQ(roundDown(8, 2), 8);
  EXPECT_EQ(roundDown(1, 2), 0);
}

TEST(Util, SignAndRepeat) {
  EXPECT_EQ(sign(-42), -1);
  EXPECT_EQ(sign(0), 0);
  EXPECT_EQ(sign(7), 1);
  EXPECT_EQ(strRepeat('-', 70), std::string(70, '-'));
  EXPECT_EQ(strRepeat('-', 0), "");
  EXPECT_EQ(strRepeat('-', -3), "");
}

}  // namespace
}  // namespace vh
