#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <queue>
#include <sstream>

#include "MapPicture.hpp"
#include "random/Lfrand.hpp"

namespace vh {
namespace {

using mappicture::at;
using mappicture::fromPicture;
using mappicture::picture;
using Picture = std::vector<std::string>;

int countNotUndefined(const Map& map) {
  int count = 0;
  for (const std::string& row : picture(map)) {
    count += static_cast<int>(std::ranges::count_if(row, [](char c) { return c != ' '; }));
  }
  return count;
}

TEST(Mapgen, RoomIsAFloorSquareWithWaterInTheMiddle) {
  const Map map = AddRoom(makemap(14, 14), 10, 10, 1);
  EXPECT_EQ(picture(map, 8, 8, 12, 12), (Picture{"     ", " ... ", " .~. ", " ... ", "     "}));
  EXPECT_EQ(countNotUndefined(map), 9);
}

TEST(Mapgen, NoSpaceWhenTheSquareTouchesACorridor) {
  const Map map = fromPicture({
      "#######",
      "#~~~~.#",
      "#~~~~~#",
      "#~~~~~#",
      "#######"});
  EXPECT_FALSE(NoSpace(map, 2, 2, 1));  // water and wall only
  EXPECT_FALSE(NoSpace(map, 3, 3, 1));
  EXPECT_TRUE(NoSpace(map, 5, 3, 1));  // the corridor is on the square's corner
}

struct CorridorCase {
  int style;
  Picture cells;  // columns 4 to 10, rows 5 to 9
  int dug;
};

void PrintTo(const CorridorCase& c, std::ostream* out) { *out << "style " << c.style; }

class CorridorStyle : public testing::TestWithParam<CorridorCase> {};

TEST_P(CorridorStyle, DrawsItsLShapesAndNothingElse) {
  const Map map = AddCorridor(makemap(12, 11), 10, 5, 4, 9, GetParam().style);
  EXPECT_EQ(picture(map, 4, 5, 10, 9), GetParam().cells);
  EXPECT_EQ(countNotUndefined(map), GetParam().dug);
}

INSTANTIATE_TEST_SUITE_P(
    Mapgen, CorridorStyle,
    testing::Values(
        CorridorCase{1, {".......", ".      ", ".      ", ".      ", ".      "}, 11},
        CorridorCase{2, {"      .", "      .", "      .", "      .", "......."}, 11},
        CorridorCase{3, {".......", ".     .", ".     .", ".     .", "......."}, 20}));

TEST(Mapgen, CorridorDigsOnlyUndefinedCells) {
  Map map = fromPicture({"     ", "#~:S "});
  map = AddCorridor(std::move(map), 2, 1, 2, 1, 3);
  map = AddCorridor(std::move(map), 1, 2, 5, 2, 1);
  EXPECT_EQ(picture(map), (Picture{" .   ", "#~:S."}));
}

TEST(Mapgen, ChessifyShadesEvenSquaresButNotStartOrExit) {
  const Map map = Chessify(fromPicture({"S.>~#", "..~..", "~.~.~"}));
  EXPECT_EQ(picture(map), (Picture{"S.>~#", ".:~:.", "=.=.="}));
}

// Whether the exit can be reached from the start through non-blocking cells.
bool exitReachable(const Map& map) {
  std::vector<std::vector<bool>> seen(60, std::vector<bool>(20, false));
  std::queue<std::pair<int, int>> next;
  next.emplace(2, 2);
  while (!next.empty()) {
    const auto [x, y] = next.front();
    next.pop();
    if (at(map, x, y) == Exit()) return true;
    constexpr int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& [dx, dy] : steps) {
      const auto nx = static_cast<std::size_t>(x + dx), ny = static_cast<std::size_t>(y + dy);
      if (at(map, x + dx, y + dy).blocks.movement || seen[nx][ny]) continue;
      seen[nx][ny] = true;
      next.emplace(x + dx, y + dy);
    }
  }
  return false;
}

TEST(Mapgen, EveryAreaIsWalledChequeredAndCrossable) {
  for (unsigned int seed = 1; seed <= 300; ++seed) {
    lfSrand(seed);
    const Map map = initmap(static_cast<int>(seed % 2), makemap(59, 19));
    const Picture rows = picture(map);
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    for (int y = 1; y <= 19; ++y) {
      for (int x = 1; x <= 59; ++x) {
        const char c = rows[static_cast<std::size_t>(y - 1)][static_cast<std::size_t>(x - 1)];
        const bool ring = x == 1 || y == 1 || x == 59 || y == 19;
        // Start and Exit are checked below; water and floor take their shade from x + y.
        const bool corner = (x == 2 && y == 2) || (x == 58 && y == 18);
        const std::string allowed = ring ? "#" : corner ? "S>" : (x + y) % 2 == 0 ? ":=" : ".~";
        ASSERT_NE(allowed.find(c), std::string::npos) << "'" << c << "' at " << x << "," << y;
      }
    }
    ASSERT_EQ(at(map, 2, 2), Start());
    ASSERT_EQ(at(map, 58, 18), Exit());
    ASSERT_TRUE(exitReachable(map));
  }
}

// The catalogue holds what glibc's rand() gives; VARDENHOLT_WRITE_GOLDEN=1 rewrites it.
TEST(Mapgen, MatchesTheGoldenCatalogue) {
  for (const unsigned int seed : {7U, 42U, 1999U}) {
    for (const int type : {0, 1}) {
      lfSrand(seed);
      std::string rendered;
      for (const std::string& row : picture(initmap(type, makemap(59, 19)))) rendered += row + "\n";
      const std::string path = std::string(VARDENHOLT_TEST_DATA) + "/map-seed-" +
                               std::to_string(seed) + "-type-" + std::to_string(type) + ".txt";
      if (std::getenv("VARDENHOLT_WRITE_GOLDEN") != nullptr) std::ofstream(path) << rendered;
      std::ifstream file(path);
      ASSERT_TRUE(file) << path;
      std::stringstream golden;
      golden << file.rdbuf();
      EXPECT_EQ(rendered, golden.str()) << path;
    }
  }
}

}  // namespace
}  // namespace vh
