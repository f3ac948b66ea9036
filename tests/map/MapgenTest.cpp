#include <gtest/gtest.h>

#include "map/Mapgen.hpp"
#include "random/Lfrand.hpp"

using namespace vh;
using Picture = std::vector<std::string>;

// Maps drawn as text, one character a cell and one string a row from the top. '.' also stands for
// Room and ':' for Room2, the same terrains as the corridors.
static const std::map<char, Terrain> legend = {
    {' ', Undefined()}, {'#', Edge()},   {'.', Corridor()}, {':', Corridor2()},
    {'~', Water()},     {'=', Water2()}, {'S', Start()},    {'>', Exit()}};

// Character x of row y (both from 0) is cell (x + 1, y + 1).
static Map fromPicture(const Picture& rows) {
  Map map = makemap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int x = 1; x <= map.width; ++x) {
    for (int y = 1; y <= map.height; ++y) map.cells[x][y].terrain = legend.at(rows[y - 1][x - 1]);
  }
  return map;
}

// The whole map, '?' for a terrain outside the legend.
static Picture picture(const Map& map) {
  Picture rows(map.height, std::string(map.width, '?'));
  for (const auto& [symbol, terrain] : legend) {
    for (int x = 1; x <= map.width; ++x) {
      for (int y = 1; y <= map.height; ++y) {
        if (map.cells[x][y].terrain == terrain) rows[y - 1][x - 1] = symbol;
      }
    }
  }
  return rows;
}

TEST(Mapdata, ClearOnlyOnOpenTerrainInsideTheRingAndOfTheTerrainAskedFor) {
  // Every terrain once inside a ring of floor; clear are (2, 2) to (6, 2), and (6, 3).
  const Map board = fromPicture({".......", ".S.:>..", ".~=# ..", "......."});
  for (int x = -3; x <= board.width + 3; ++x) {
    for (int y = -3; y <= board.height + 3; ++y) {
      const bool clear = (y == 2 && x >= 2 && x <= 6) || (x == 6 && y == 3);
      EXPECT_EQ(isclear(board, x, y, Undefined()), clear) << x << "," << y;
    }
  }
  EXPECT_TRUE(isclear(board, 3, 2, Room()));                                     // Corridor is Room
  EXPECT_FALSE(isclear(board, 4, 2, Room()) || isclear(board, 3, 3, Water2()));  // Room2; blocks
}

// Collects every cell reachable from (x, y) over terrain that does not block movement.
static void flood(const Map& map, int x, int y, std::set<std::pair<int, int>>& seen) {
  if (map.cells[x][y].terrain.blocks.movement || !seen.insert({x, y}).second) return;
  for (const int d : {-1, 1}) flood(map, x + d, y, seen), flood(map, x, y + d, seen);
}

TEST(Mapgen, EveryAreaIsWalledChequeredAndCrossable) {
  for (unsigned int seed = 1; seed <= 300; ++seed) {
    lfSrand(seed);
    const Map map = initmap(static_cast<int>(seed % 2), makemap(59, 19));
    const Picture rows = picture(map);
    for (int y = 1; y <= 19; ++y) {
      for (int x = 1; x <= 59; ++x) {
        // Inside the ring only the start (2, 2) and the exit (58, 18) have x + y of 4 and 76.
        const bool ring = x == 1 || y == 1 || x == 59 || y == 19;
        const std::string ok = ring          ? "#"
                               : x + y == 4  ? "S"
                               : x + y == 76 ? ">"
                               : (x + y) % 2 ? ".~"
                                             : ":=";
        ASSERT_NE(ok.find(rows[y - 1][x - 1]), std::string::npos) << seed << ": " << x << "," << y;
      }
    }
    std::set<std::pair<int, int>> seen;
    flood(map, 2, 2, seen);
    ASSERT_TRUE(seen.contains({58, 18})) << "no way to the exit, seed " << seed;
  }
}
