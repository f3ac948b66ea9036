#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "creatures/Creatures.hpp"
#include "map/Mapgen.hpp"
#include "random/Lfrand.hpp"

namespace vh {
namespace {

Map areaMap(unsigned int seed) {
  lfSrand(seed);
  return initmap(0, makemap(59, 19));
}

// The kind a random piece must be for a first roll r of the level's die.
std::string kindForRoll(int level, int r) {
  if (level <= 2) return "pawn";
  if (level == 3) return r == 1 ? "bishop" : "pawn";
  if (level == 6) return r == 1 ? "knight" : r <= 16 ? "bishop" : "pawn";
  return r == 1 ? "queen" : r <= 36 ? "rook" : r <= 100 ? "knight" : r <= 169 ? "bishop" : "pawn";
}

TEST(PlacementKinds, RandomPiecesFollowTheFirstRollAndLevel40DrawsLikeLevel15) {
  const Map map = areaMap(11);
  for (const int level : {1, 2, 3, 6, 15, 40}) {
    for (unsigned int seed = 1; seed <= 1500; ++seed) {
      lfSrand(seed);
      const int r = lfDice(Dicespec{1, level > 14 ? 225 : level * level, 0});
      lfSrand(seed);
      const auto piece = newCreature(map, level, {}, Random());
      ASSERT_TRUE(piece && piece->alive);
      ASSERT_EQ(piece->name, kindForRoll(level, r)) << "level " << level << ", roll " << r;
    }
  }
}

TEST(Placement, FillsExactlyTheClearCellsOfTheWindowThenGivesNothingAndRollsNothing) {
  for (const unsigned int seed : {1U, 2U, 3U}) {
    const Map map = areaMap(seed);
    std::set<std::pair<int, int>> window, taken;
    for (int x = 4; x <= 56; ++x) {
      for (int y = 4; y <= 16; ++y) {
        if (isclear(map, x, y, Undefined())) window.insert({x, y});
      }
    }
    CreatureList pieces;
    while (auto piece = newCreature(map, 15, pieces, Random())) {
      ASSERT_TRUE(taken.insert({piece->x, piece->y}).second) << "pieces never share a cell";
      appendCreature(pieces, std::move(*piece));
    }
    EXPECT_EQ(taken, window);
    lfSrand(seed);
    EXPECT_FALSE(newCreature(map, 15, pieces, King()));
    const int next = lfGetRand();
    lfSrand(seed);
    EXPECT_EQ(next, lfGetRand());

    pieces[1].alive = false;  // a captured piece frees its cell, and a given kind keeps its record
    const auto knight = newCreature(map, 15, pieces, Knight());
    ASSERT_TRUE(knight);
    EXPECT_EQ(*knight, (Creature{true, pieces[1].x, pieces[1].y, Knight().look, "knight"}));
  }
}

TEST(Placement, CountsOfAKindIncludeCapturedPiecesButNotThePlaceholder) {
  CreatureList pieces{Pawn()};
  EXPECT_EQ(creaturesOfType(pieces, Pawn()), 0);
  for (const Creature& piece : {Pawn(), Rook(), Pawn()}) appendCreature(pieces, piece);
  pieces[3].alive = false;
  EXPECT_EQ(creaturesOfType(pieces, Pawn()), 2);
  EXPECT_EQ(creaturesOfType(pieces, Queen()), 0);
}

}  // namespace
}  // namespace vh
