#include <gtest/gtest.h>

#include "MapPicture.hpp"

namespace vh {
namespace {

using mappicture::fromPicture;

// Every terrain once inside a ring of floor, which must not count as clear.
const Map board = fromPicture({
    ".......",
    ".S.:>..",
    ".~=# ..",
    ".......",
    "......."});

TEST(Mapdata, ClearOnlyOnFloorInsideTheRing) {
  // One row per y from 0 to height + 1, one character per x from 0 to width + 1.
  std::vector<std::string> clear;
  for (int y = 0; y <= board.height + 1; ++y) {
    std::string row;
    for (int x = 0; x <= board.width + 1; ++x) row += isclear(board, x, y, Undefined()) ? 'o' : '-';
    clear.push_back(row);
  }
  EXPECT_EQ(clear, (std::vector<std::string>{"---------",
                                             "---------",
                                             "--ooooo--",
                                             "------o--",
                                             "--ooooo--",
                                             "---------",
                                             "---------"}));
  EXPECT_FALSE(isclear(board, -4, 3, Undefined()));
  EXPECT_FALSE(isclear(board, 3, -7, Undefined()));
  EXPECT_FALSE(isclear(board, board.width + 5, 3, Undefined()));
  EXPECT_FALSE(isclear(board, 3, board.height + 5, Undefined()));
}

TEST(Mapdata, RestrictingTerrainMustMatchAndNotBlock) {
  EXPECT_TRUE(isclear(board, 3, 2, Room()));  // a Corridor cell
  EXPECT_FALSE(isclear(board, 4, 2, Room()));
  EXPECT_FALSE(isclear(board, 2, 2, Room()));
  EXPECT_TRUE(isclear(board, 4, 2, Room2()));
  EXPECT_TRUE(isclear(board, 2, 2, Start()));
  EXPECT_FALSE(isclear(board, 3, 3, Water2()));
}

TEST(Mapdata, TerrainsAreEqualByValue) {
  EXPECT_EQ(Corridor(), Room());
  EXPECT_EQ(Corridor2(), Room2());
  EXPECT_NE(Room(), Room2());
  EXPECT_NE(Room(), Start());
  EXPECT_NE(Water(), Water2());
  EXPECT_EQ(mkMapCell().terrain, Undefined());
}

}  // namespace
}  // namespace vh
