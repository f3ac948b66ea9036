#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "random/Lfrand.hpp"

namespace vh {
namespace {

// Whether exactly `drawn` values were drawn since lfSrand(seed): the next one is compared with a
// generator seeded again.
testing::AssertionResult drawnSinceSeeding(unsigned int seed, int drawn) {
  const int next = lfGetRand();
  lfSrand(seed);
  for (int i = 0; i < drawn; ++i) lfGetRand();
  if (next == lfGetRand()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "not " << drawn << " draws since seeding";
}

TEST(Lfrand, FollowsTheRecurrenceFromEachSeeding) {
  // A plain list: 55 values from rand(), then x(n) = (x(n - 55) + x(n - 24)) mod 2^31.
  const unsigned int seed = 20240611;
  std::srand(seed);
  std::vector<long long> x;
  for (int i = 0; i < 55; ++i) x.push_back(std::abs(std::rand()));
  for (std::size_t n = 55; n < 55 + 3000; ++n) x.push_back((x[n - 55] + x[n - 24]) % (1LL << 31));

  lfSrand(seed);
  for (std::size_t n = 55; n < x.size(); ++n) ASSERT_EQ(lfGetRand(), x[n]) << "draw " << n - 55;

  lfSrand(seed);  // seeding again restarts the sequence
  EXPECT_EQ(lfGetRand(), x[55]);
  EXPECT_EQ(lfGetRand(), x[56]);
}

TEST(Lfrand, IntRandOfOneIsZeroAndDrawsOnce) {
  lfSrand(5);
  EXPECT_EQ(lfIntRand(1), 0);
  EXPECT_TRUE(drawnSinceSeeding(5, 1));
}

TEST(Lfrand, EmptyRangeThrowsWithoutDrawing) {
  for (const int n : {0, -3}) {
    lfSrand(5);
    try {
      lfIntRand(n);
      ADD_FAILURE() << "lfIntRand(" << n << ") returned";
    } catch (const ValueOutOfRange& error) {
      EXPECT_EQ(error.code(), 1000);
      EXPECT_STREQ(error.what(), "Value out of range");
    }
    EXPECT_TRUE(drawnSinceSeeding(5, 0)) << "n = " << n;
  }
}

TEST(Dice, NoDiceOrNoSidesGiveTheBonusAndDrawNothing) {
  lfSrand(11);
  EXPECT_EQ(lfDice(Dicespec{0, 6, 4}), 4);
  EXPECT_EQ(lfDice(Dicespec{3, 0, 2}), 2);
  EXPECT_EQ(lfDice(Dicespec{-2, 6, 1}), 1);
  EXPECT_TRUE(drawnSinceSeeding(11, 0));
}

TEST(Dice, OneSidedDiceDrawOncePerDie) {
  lfSrand(11);
  EXPECT_EQ(lfDice(Dicespec{2, 1, 0}), 2);
  EXPECT_TRUE(drawnSinceSeeding(11, 2));
}

TEST(Dice, SixSidedDieShowsEveryFaceAndNothingElse) {
  lfSrand(3);
  std::set<int> faces;
  for (int i = 0; i < 600; ++i) faces.insert(lfDice(Dicespec{1, 6, 0}));
  EXPECT_EQ(faces, (std::set<int>{1, 2, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace vh
