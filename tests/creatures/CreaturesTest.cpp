#include <gtest/gtest.h>

#include <algorithm>

#include "creatures/Creatures.hpp"
#include "map/Mapgen.hpp"
#include "random/Lfrand.hpp"

using namespace vh;

TEST(Placement, RandomKindsFollowTheFirstRollOfTheLevelsDie) {
  // Per level, the highest first roll that gives a queen, a rook, a knight and a bishop.
  const std::map<int, std::array<int, 4>> highest = {{2, {0, 0, 0, 0}},
                                                     {3, {0, 0, 0, 1}},
                                                     {6, {0, 0, 1, 16}},
                                                     {15, {1, 36, 100, 169}},
                                                     {40, {1, 36, 100, 169}}};
  const std::string kinds[] = {"queen", "rook", "knight", "bishop", "pawn"};
  lfSrand(11);
  const Map map = initmap(0, makemap(59, 19));
  for (const auto& [level, top] : highest) {
    for (unsigned int seed = 1; seed <= 1500; ++seed) {
      lfSrand(seed);
      const int r = lfDice(Dicespec{1, level > 14 ? 225 : level * level, 0});
      lfSrand(seed);
      const std::string& kind = kinds[std::ranges::count_if(top, [r](int t) { return r > t; })];
      ASSERT_EQ(newCreature(map, level, {}, Random()).value().name, kind) << level << ", " << r;
    }
  }
}

TEST(Placement, FillsExactlyTheFreeCellsOfTheWindowThenGivesNothingAndRollsNothing) {
  lfSrand(3);
  const Map map = initmap(0, makemap(59, 19));
  CreatureList pieces;
  std::set<std::pair<int, int>> taken;
  while (auto piece = newCreature(map, 15, pieces, Random())) {
    ASSERT_TRUE(taken.insert({piece->x, piece->y}).second) << "pieces never share a cell";
    appendCreature(pieces, *piece);
  }
  for (int x = 1; x <= 59; ++x) {
    for (int y = 1; y <= 19; ++y) {  // the window is x from 4 to 56 and y from 4 to 16
      const bool window = x >= 4 && x <= 56 && y >= 4 && y <= 16;
      EXPECT_EQ(iscreatureAt(pieces, x, y), window && isclear(map, x, y, Undefined()))
          << x << "," << y;
    }
  }
  lfSrand(3);
  EXPECT_FALSE(newCreature(map, 15, pieces, Random()));
  const int next = lfGetRand();
  lfSrand(3);
  EXPECT_EQ(lfGetRand(), next) << "a full window rolls no dice";
  // Neither a captured piece nor the placeholder at position 0 holds a cell.
  pieces[1].alive = false;
  EXPECT_FALSE(iscreatureAt(pieces, pieces[1].x, pieces[1].y));
  EXPECT_FALSE(iscreatureAt({pieces[2]}, pieces[2].x, pieces[2].y));
  EXPECT_EQ(newCreature(map, 15, pieces, Knight()),  // and a given kind keeps its record
            (Creature{true, pieces[1].x, pieces[1].y, Knight().look, "knight"}));
}
