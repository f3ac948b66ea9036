#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/Frames.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

// Rows 0 to 12 of the score screen drawn over a used screen, trailing blanks dropped.
std::vector<std::string> scoreScreen(const Player& player, int level) {
  VirtualTerminal terminal;
  useTerminal(terminal);
  printAt(0, 20, "left over from the game");
  showScore(player, level);
  EXPECT_EQ(terminal.row(20), std::string(80, ' '));
  std::vector<std::string> rows;
  for (int row = 0; row <= 12; ++row) {
    const std::string text = terminal.row(row);
    rows.push_back(text.substr(0, text.find_last_not_of(' ') + 1));
  }
  return rows;
}

// Counts in screen order: pawns, bishops, knights, rooks, queens.
std::vector<std::string> expected(const std::string& verdict, const std::vector<int>& counts,
                                  int score, const std::string& highScore) {
  const std::string ruler = "    " + std::string(70, '-');
  const auto count = [&](const char* label, std::size_t i) {
    return "    " + std::string(label) + std::to_string(counts[i]);
  };
  return {ruler, "    " + verdict, ruler,
          "    During your quest, you captured the following opposing pieces:",
          count("Pawns:   ", 0), count("Bishops: ", 1), count("Knights: ", 2),
          count("Rooks:   ", 3), count("Queens:  ", 4), ruler,
          "    Your final score was: " + std::to_string(score), ruler,
          "    High score: " + highScore};
}

TEST(ScoreScreen, LossWithoutCapturesIsTheFirstHighScore) {
  const TempHome home;
  EXPECT_EQ(scoreScreen(Player{false, 9, 9, Kills{}, "", false}, 4),
            expected("You were captured by the forces of the Black King. You lose.",
                     {0, 0, 0, 0, 0}, 0, "A loss with 0 points on level 4"));
}

TEST(ScoreScreen, WinCountsEveryCapture) {
  const TempHome home;
  EXPECT_EQ(scoreScreen(Player{true, 58, 18, Kills{1, 2, 1, 1, 5, 1}, "", false}, 23),
            expected("You captured the Black King and escaped alive! You win!", {1, 1, 2, 1, 5},
                     1060, "A victory with 1060 points."));
}

TEST(ScoreScreen, DrawScoresFiveHundredAndALowerGameShowsTheStoredRecord) {
  const TempHome home;
  EXPECT_EQ(scoreScreen(Player{false, 9, 9, Kills{0, 0, 0, 0, 0, 1}, "", false}, 20),
            expected("You captured the Black King but were captured yourself! A draw!",
                     {0, 0, 0, 0, 0}, 500, "A draw with 500 points."));
  EXPECT_EQ(scoreScreen(Player{false, 9, 9, Kills{7, 0, 0, 0, 0, 0}, "", false}, 2).back(),
            "    High score: A draw with 500 points.");
}

}  // namespace
}  // namespace vh
