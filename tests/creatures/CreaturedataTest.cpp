#include <gtest/gtest.h>

#include "creatures/Creaturedata.hpp"

namespace vh {
namespace {

Creature placed(Creature kind, int x, int y, bool alive = true) {
  kind.x = x;
  kind.y = y;
  kind.alive = alive;
  return kind;
}

TEST(CreatureKinds, FreshRecordsAndARandomMarkerEqualOnlyToItself) {
  Creature first = Bishop();
  first.x = 7;
  EXPECT_EQ(Bishop().x, -1);
  EXPECT_EQ(Random(), Random());
  for (const Creature& kind : {Pawn(), Knight(), Bishop(), Rook(), Queen(), King()}) {
    EXPECT_NE(kind, Random()) << kind.name;
  }
  const std::array<MovePair, 8> jumps = {MovePair{1, 2},   MovePair{2, 1},   MovePair{-1, 2},
                                         MovePair{-2, 1},  MovePair{-1, -2}, MovePair{-2, -1},
                                         MovePair{1, -2},  MovePair{2, -1}};
  EXPECT_EQ(KnightsMoves(), jumps);
}

TEST(CreatureList, FirstAppendMakesThePlaceholderAndOnlyLivingPiecesOccupyCells) {
  EXPECT_FALSE(iscreatureAt({}, 0, 0));
  EXPECT_FALSE(iscreatureAt({placed(Pawn(), 5, 5)}, 5, 5));  // position 0 is never a piece
  CreatureList pieces;
  appendCreature(pieces, placed(Queen(), 9, 4, false));
  appendCreature(pieces, placed(Rook(), 10, 4));
  ASSERT_EQ(pieces.size(), 3U);
  EXPECT_FALSE(pieces[0].alive);
  EXPECT_EQ(pieces[2], placed(Rook(), 10, 4));
  EXPECT_FALSE(iscreatureAt(pieces, 9, 4));
  EXPECT_TRUE(iscreatureAt(pieces, 10, 4));
  EXPECT_FALSE(iscreatureAt(pieces, 11, 4));
  EXPECT_FALSE(iscreatureAt(pieces, 10, 5));
}

}  // namespace
}  // namespace vh
