#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "creatures/Creatures.hpp"
#include "main/Vardenholt.hpp"
#include "map/Mapgen.hpp"
#include "random/Lfrand.hpp"

using namespace vh;
using Counts = std::map<std::string, int>;

// The pieces an area adds after its random ones, given how many of each kind those drew.
static Counts guaranteedPieces(int level, Counts drawn) {
  if (level >= 20) return {{"king", 1}, {"queen", level - 19}};
  const std::string kind = level >= 15   ? "queen"
                           : level >= 10 ? "rook"
                           : level >= 6  ? "knight"
                                         : "bishop";
  const int wanted = level >= 15 ? 1 : level - (level >= 10 ? 9 : level >= 6 ? 5 : 2);
  return wanted > drawn[kind] ? Counts{{kind, wanted - drawn[kind]}} : Counts{};
}

TEST(Population, RandomPiecesThenTheLevelsGuaranteedOnesEvenWhenCrowded) {
  // Seed 33 draws a single bishop at random in area 5, the last area that adds bishops.
  for (const unsigned int seed : {1U, 2U, 3U, 4U, 5U, 6U, 33U}) {
    for (int level = 1; level <= 24; ++level) {
      lfSrand(seed);
      buildAreaMap(level);
      const auto n = static_cast<std::size_t>(lfDice(Dicespec{level, 3, 6}));  // random pieces
      lfSrand(seed);
      const CreatureList pieces = populateArea(buildAreaMap(level), level);
      ASSERT_GT(pieces.size(), n) << "seed " << seed << ", area " << level;
      Counts drawn, added;
      for (std::size_t i = 1; i < pieces.size(); ++i) ++(i <= n ? drawn : added)[pieces[i].name];
      EXPECT_EQ(added, guaranteedPieces(level, drawn)) << "seed " << seed << ", area " << level;
    }
  }
  // Far more random pieces than room: they give way to the King and his 281 queens, who fill it.
  lfSrand(10);
  const Map crowded = buildAreaMap(300);
  const CreatureList crowd = populateArea(crowded, 300);
  EXPECT_EQ(freePlacementCells(crowded, crowd), 0);
  const auto king = std::ranges::find(crowd, "king", &Creature::name);
  ASSERT_EQ(crowd.end() - king, 300 - 18);
  EXPECT_TRUE(std::all_of(king + 1, crowd.end(), [](auto& c) { return c.name == "queen"; }));
}

// Areas 1 to 9 are of the first type of map and later ones of the second, with its extra corridor.
TEST(Areas, FromAreaTenTheMapsAreOfTheSecondType) {
  for (const int level : {9, 10}) {
    lfSrand(4);
    const Map area = buildAreaMap(level);
    lfSrand(4);
    const Map expected = initmap(level == 10 ? 1 : 0, makemap(MapWidth, MapHeight));
    for (int x = 1; x <= MapWidth; ++x) {
      for (int y = 1; y <= MapHeight; ++y) {
        ASSERT_EQ(area.cells[x][y].terrain, expected.cells[x][y].terrain) << level;
      }
    }
  }
}
