#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "creatures/Creatures.hpp"
#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

using Names = std::vector<std::string>;

// What an area adds after its random pieces, given the kinds those drew.
Names guaranteedPieces(int level, const Names& drawn) {
  const auto topUp = [&](const std::string& kind, int wanted) {
    const auto have = static_cast<int>(std::count(drawn.begin(), drawn.end(), kind));
    return Names(static_cast<std::size_t>(std::max(0, wanted - have)), kind);
  };
  if (level >= 20) {
    Names pieces(static_cast<std::size_t>(level - 18), "queen");
    pieces.front() = "king";
    return pieces;
  }
  if (level >= 15) return topUp("queen", 1);
  if (level >= 10) return topUp("rook", level - 9);
  if (level >= 6) return topUp("knight", level - 5);
  return level >= 3 ? topUp("bishop", level - 2) : Names{};
}

TEST(Population, RandomPiecesThenTheLevelsGuaranteedOnes) {
  for (unsigned int seed = 1; seed <= 6; ++seed) {
    for (int level = 1; level <= 24; ++level) {
      lfSrand(seed);
      buildAreaMap(level);
      const auto randomCount = static_cast<std::size_t>(lfDice(Dicespec{level, 3, 6}));
      lfSrand(seed);
      const CreatureList pieces = populateArea(buildAreaMap(level), level);
      Names names;
      for (std::size_t i = 1; i < pieces.size(); ++i) names.push_back(pieces[i].name);
      ASSERT_GE(names.size(), randomCount);
      const Names drawn(names.begin(), names.begin() + static_cast<long>(randomCount));
      EXPECT_EQ(Names(names.begin() + static_cast<long>(randomCount), names.end()),
                guaranteedPieces(level, drawn)) << "seed " << seed << ", area " << level;
      EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "king"), 0);
      if (level == 1) {
        EXPECT_TRUE(names.size() >= 7 && names.size() <= 9) << names.size();
      }
    }
  }
}

TEST(Population, CrowdedAreaKeepsRoomForTheBlackKingAndHisQueens) {
  constexpr int Level = 300;
  for (const unsigned int seed : {1U, 10U}) {
    lfSrand(seed);
    const Map map = buildAreaMap(Level);
    const int room = freePlacementCells(map, {});
    const CreatureList pieces = populateArea(map, Level);
    std::set<std::pair<int, int>> cells;
    for (std::size_t i = 1; i < pieces.size(); ++i) cells.insert({pieces[i].x, pieces[i].y});
    EXPECT_EQ(static_cast<int>(cells.size()), room);
    EXPECT_EQ(static_cast<int>(pieces.size()) - 1, room);
    const auto isKing = [](const Creature& c) { return c.name == "king"; };
    const auto king = std::find_if(pieces.begin() + 1, pieces.end(), isKing);
    ASSERT_NE(king, pieces.end());
    EXPECT_LE(king - pieces.begin() - 1, room - (Level - 18)) << "random pieces give way";
    const auto isQueen = [](const Creature& c) { return c.name == "queen"; };
    EXPECT_TRUE(std::all_of(king + 1, pieces.end(), isQueen));
  }
}

TEST(Population, EscapedOnlyOnTheExitCell) {
  const Map map{{}, 59, 19};
  const auto at = [](int x, int y) { return Player{true, x, y, Kills{}, "", false}; };
  EXPECT_FALSE(notEscaped(map, at(58, 18)));
  for (const auto& [x, y] : {std::pair{57, 18}, std::pair{58, 17}, std::pair{59, 19}}) {
    EXPECT_TRUE(notEscaped(map, at(x, y)));
  }
}

TEST(Driver, PlaysAreaOneHeadlesslyAndGivesTheTerminalBack) {
  const TempHome home;
  VirtualTerminal terminal;
  useTerminal(terminal);
  terminal.pressKeys(" ");  // past the instructions, then stopped at the King's first move
  EXPECT_THROW(runVardenholt(), KeyScriptExhausted);
  EXPECT_FALSE(terminal.started()) << "an abandoned run still gives the terminal back";
  EXPECT_TRUE(terminal.cursorVisible());

  terminal.pressKeys(" S5n");  // instructions, ask to save, wait a turn, do not continue
  lfSrand(5);
  runVardenholt();
  EXPECT_EQ(terminal.keysLeft(), 0U);
  EXPECT_FALSE(terminal.started());
  EXPECT_TRUE(terminal.cursorVisible());
  const std::string wall(59, '#');
  EXPECT_EQ(terminal.row(0), wall + " Area: 1" + std::string(13, ' '));
  EXPECT_EQ(terminal.row(18), wall + std::string(21, ' '));
  EXPECT_EQ(terminal.charAt(1, 1), '@');
  EXPECT_EQ(terminal.styleAt(1, 1), (VirtualTerminal::Style{Colour::White, true}));
  EXPECT_EQ(terminal.charAt(57, 17), '>');
  EXPECT_EQ(terminal.row(15).substr(15, 20), "Continue play? [Y/n]");
}

}  // namespace
}  // namespace vh
