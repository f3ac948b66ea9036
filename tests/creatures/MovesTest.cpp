#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

#include "creatures/Creatures.hpp"
#include "random/Lfrand.hpp"
#include "support/Board.hpp"

namespace vh {
namespace {

using board::Board;
using board::Picture;

// One turn of the pieces: each row shows the position before the turn, then after it.
struct Turn {
  const char* name;
  Picture rows;
};

const Turn turns[] = {
    {"RookFourAwayStopsOutsideTheSquareAroundTheKing", {"R...@  .R..@"}},
    {"QueenTakesTheKingFourAway", {"Q...@  ....Q"}},
    {"RookNeverPassesAPieceButGoesRoundIt", {".....  R....",
                                             "R.N@.  ...@.",
                                             ".....  N...."}},
    {"BishopTakesTwoCellsDiagonally", {"B..  ...",
                                       "...  ...",
                                       "..@  ..B"}},
    {"KnightJumpsWaterToTakeTheKing", {"N==  .==",
                                       "===  ===",
                                       ".@.  .N."}},
    {"BlackKingFleesToTheFirstOfTheFarthestCells", {".....  K....",
                                                    ".K.@.  ...@.",
                                                    ".....  ....."}},
    {"FirstInTheListTakesTheKingAndTheOtherGoesElsewhere", {"K.B.  ....",
                                                            ".@..  .K.B",
                                                            "....  ...."}},
    {"PawnTakesDiagonally", {"P.  ..",
                             ".@  .P"}},
    {"CapturedPieceNeitherMovesNorBlocks", {"R.r@  ..rR"}},
    {"PiecesWithoutALegalStepStay", {"R#N.@  R#N.@"}},
};

class PiecesTurn : public board::OnVirtualTerminal, public ::testing::WithParamInterface<Turn> {};

TEST_P(PiecesTurn, MovesEveryLivingPieceOnceInListOrder) {
  Picture before, after;
  for (const std::string& row : GetParam().rows) {
    before.push_back(row.substr(0, row.find(' ')));
    after.push_back(row.substr(row.rfind(' ') + 1));
  }
  Board b = Board::fromPicture(before);
  moveCreatures(b.player, b.map, b.creatures);
  EXPECT_EQ(b.picture(), after);
  if (before == after) {
    EXPECT_EQ(terminal.toString(), VirtualTerminal().toString()) << "nothing is drawn";
  }
}

INSTANTIATE_TEST_SUITE_P(Positions, PiecesTurn, ::testing::ValuesIn(turns),
                         [](const auto& info) { return std::string(info.param.name); });

// A pawn that cannot take the King rolls a die with a side for each of its steps.
struct PawnCase {
  const char* name;
  Picture board;
  std::vector<std::pair<int, int>> steps;  // in the pawn's order
};

const PawnCase pawnCases[] = {
    {"BacksOffFromTheKingTwoAway", {".....",
                                    ".P.@.",
                                    "....."}, {{-1, 0}, {0, -1}, {0, 1}}},
    {"WalksStraightAtTheKingThreeAway", {".....",
                                         "P..@.",
                                         "....."}, {{1, 0}}},
    {"StepsAlongEitherAxisTowardsHim", {"P...",
                                        "....",
                                        "..@."}, {{1, 0}, {0, 1}}},
    {"TakesAnyFreeStepWhenAWallBarsTheWay", {"......",
                                             ".P#..@",
                                             "......"}, {{-1, 0}, {0, -1}, {0, 1}}},
};

class PawnMoves : public board::OnVirtualTerminal,
                  public ::testing::WithParamInterface<PawnCase> {};

TEST_P(PawnMoves, PicksItsStepWithTheDie) {
  const PawnCase& c = GetParam();
  std::set<std::size_t> picked;
  for (unsigned int seed = 1; seed <= 40; ++seed) {
    lfSrand(seed);
    const int sides = static_cast<int>(c.steps.size());
    const auto k = static_cast<std::size_t>(lfDice(Dicespec{1, sides, -1}));
    picked.insert(k);
    Board b = Board::fromPicture(c.board);
    const Creature start = b.creatures[1];
    const Creature& pawn = b.creatures[1];
    lfSrand(seed);
    moveCreatures(b.player, b.map, b.creatures);
    EXPECT_EQ(std::pair(pawn.x - start.x, pawn.y - start.y), c.steps[k]) << "seed " << seed;
  }
  EXPECT_EQ(picked.size(), c.steps.size()) << "some seed picks each step";
}

INSTANTIATE_TEST_SUITE_P(Positions, PawnMoves, ::testing::ValuesIn(pawnCases),
                         [](const auto& info) { return std::string(info.param.name); });

using DoMove = board::OnVirtualTerminal;

TEST_F(DoMove, NeverEntersTheRingAndRedrawsBothCells) {
  Board b = Board::fromPicture({"P.",
                                ".P"});
  const std::tuple<std::size_t, int, int> intoTheRing[] = {
      {1, -1, 0}, {1, 0, -1}, {2, 1, 0}, {2, 0, 1}};
  for (const auto& [i, dx, dy] : intoTheRing) doMove(b.map, b.player, b.creatures, i, dx, dy);
  EXPECT_EQ(b.picture(), (Picture{"P.", ".P"}));
  EXPECT_EQ(terminal.toString(), VirtualTerminal().toString());
  doMove(b.map, b.player, b.creatures, 1, 1, 0);
  EXPECT_EQ(terminal.row(1), " .P" + std::string(77, ' '));
  EXPECT_EQ(terminal.styleAt(2, 1), (VirtualTerminal::Style{Colour::Yellow, false}));
}

}  // namespace
}  // namespace vh
