#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <ranges>
#include <tuple>

#include "creatures/Creatures.hpp"
#include "random/Lfrand.hpp"
#include "support/Board.hpp"
#include "support/PieceRules.hpp"

namespace vh::board {

// One turn of the pieces, under forty seeds: the position before it and after it, and the map on
// screen as a full redraw draws it. Digits mark the steps a pawn offers its die, in the order it
// offers them; the die picks one.
TEST_F(Gameplay, PiecesMoveOnceEachInListOrderAndRedrawTheCellsTheyLeaveAndEnter) {
  const std::tuple<const char*, Picture, Picture> turns[] = {
      {"rook four away stops short of the King's square", {"R...@"}, {".R..@"}},
      {"queen takes the King four away", {"Q...@"}, {"....Q"}},
      {"queen five away stops short of the King's square", {"Q....@"}, {"..Q..@"}},
      {"rook goes round a piece", {".....", "R.N@.", "....."}, {"R....", "...@.", "N...."}},
      {"bishop takes two cells diagonally", {"B..", "...", "..@"}, {"...", "...", "..B"}},
      {"knight jumps water to take the King", {"N==", "===", ".@."}, {".==", "===", ".N."}},
      {"knight keeps a cell away", {".N....", ".....@", "......"}, {"......", "...N.@", "......"}},
      {"knight stops short of the King's row", {"N...", "...@", "...."}, {"....", "...@", ".N.."}},
      {"bishop stops short of the King's row", {"B...", "....", "...@"}, {"....", ".B..", "...@"}},
      {"Black King flees", {".....", ".K.@.", "....."}, {"K....", "...@.", "....."}},
      {"first in the list takes the King", {"K.B.", ".@..", "...."}, {"....", ".K.B", "...."}},
      {"pawn takes diagonally", {"P.", ".@"}, {"..", ".P"}},
      {"captured piece neither moves nor blocks", {"R.r@"}, {"..rR"}},
      {"pawn backs off two away", {".....", ".P.@.", "....."}, {".2...", "1..@.", ".3..."}},
      {"pawn backs off upwards", {"...", ".P.", "...", ".@."}, {".3.", "1.2", "...", ".@."}},
      {"pawn walks straight at the King three away",
       {".....", "P..@.", "....."},
       {".....", ".1.@.", "....."}},
      {"boxed-in pawn never takes the King orthogonally", {"#P#", "#@#"}, {"#P#", "#@#"}},
      {"pawn steps along either axis", {"P...", "....", "..@."}, {".1..", "2...", "..@."}},
      {"pawn barred by a wall", {"......", ".P#..@", "......"}, {".2....", "1.#..@", ".3...."}},
  };
  for (const auto& [name, before, after] : turns) {
    const int sides = static_cast<int>(std::ranges::count_if(after | std::views::join, ::isdigit));
    for (unsigned int seed = 1; seed <= 40; ++seed) {
      lfSrand(seed);
      const char pick = sides ? static_cast<char>('1' + lfDice(Dicespec{1, sides, -1})) : 0;
      Picture expected = after;
      for (char& c : expected | std::views::join) c = !std::isdigit(c) ? c : c == pick ? 'P' : '.';
      Board b = Board::fromPicture(before);
      fullRefresh(b.map, b.player, b.creatures, 1);
      lfSrand(seed);
      moveCreatures(b.player, b.map, b.creatures);
      ASSERT_EQ(b.picture(), expected) << name << ", seed " << seed;
      expectRedrawn(b, 0, 8, 0, 8);
    }
  }
}

// Random boards of walls, water and pieces of every kind: each piece's move keeps the rules that
// hold in every position.
TEST(PieceRules, HoldOnRandomBoards) {
  std::mt19937 random(13);
  VirtualTerminal scratch;
  for (unsigned int n = 0; n < 2000 && !HasFatalFailure(); ++n) {
    Picture rows(6, std::string(9, '.'));
    for (char& c : rows | std::views::join) c = ".....#=PNBRQKpn"[random() % 15];
    rows[random() % 6][random() % 9] = '@';
    std::string shown;
    for (const std::string& row : rows) shown += "\n" + row;
    SCOPED_TRACE(shown);
    const Board b = Board::fromPicture(rows);
    lfSrand(n);
    rules::expectPiecesKeepTheirRules(scratch, b.player, b.map, b.creatures);
  }
}

}  // namespace vh::board
