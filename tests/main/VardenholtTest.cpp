#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "creatures/Creatures.hpp"
#include "main/Vardenholt.hpp"
#include "map/Mapgen.hpp"
#include "random/Lfrand.hpp"

using namespace vh;

// Far more random pieces than an area has room for give way to the pieces it must hold: in area
// 300, the Black King and his 281 queens fill it.
TEST(Population, TheAreasOwnPiecesComeFirstWhenCrowded) {
  lfSrand(10);
  const Map crowded = buildAreaMap(300);
  const CreatureList crowd = populateArea(crowded, 300);
  EXPECT_EQ(freePlacementCells(crowded, crowd), 0);
  const auto king = std::ranges::find(crowd, "king", &Creature::name);
  ASSERT_EQ(crowd.end() - king, 300 - 18);
  EXPECT_TRUE(std::all_of(king + 1, crowd.end(), [](auto& c) { return c.name == "queen"; }));
}
