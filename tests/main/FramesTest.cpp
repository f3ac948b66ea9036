#include <gtest/gtest.h>

#include <regex>

#include "main/Frames.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/TempHome.hpp"

using namespace vh;

// In one home: the first game sets the record, and the draw after the win shows the win's.
TEST(ScoreScreen, ShowsTheOutcomeCapturesScoreAndTheRecordThatStands) {
  struct Case { Player player; int level; std::string verdict, counts, score, record; };
  const Case cases[] = {
      {{false, 9, 9, {}, "", false}, 4, "You were captured by the forces of the Black King. You lose.",
       "00000", "0", "A loss with 0 points on level 4"},
      {{true, 58, 18, {1, 2, 1, 1, 5, 1}, "", false}, 23, "You captured the Black King and escaped alive! You win!",
       "11215", "1060", "A victory with 1060 points."},
      {{false, 9, 9, {0, 0, 0, 0, 0, 1}, "", false}, 20, "You captured the Black King but were captured yourself! A draw!",
       "00000", "500", "A victory with 1060 points."},
  };
  const TempHome home;
  const std::string ruler = "    " + std::string(70, '-') + "\n";
  const char* const labels[] = {"Pawns:   ", "Bishops: ", "Knights: ", "Rooks:   ", "Queens:  "};
  for (const Case& c : cases) {
    VirtualTerminal terminal;
    useTerminal(terminal);
    showScore(c.player, c.level);
    const std::string shown = std::regex_replace(terminal.toString(), std::regex(" +\n"), "\n");
    std::string expected = ruler + "    " + c.verdict + "\n" + ruler +
                           "    During your quest, you captured the following opposing pieces:\n";
    for (int i = 0; i < 5; ++i) expected += "    " + std::string(labels[i]) + c.counts[i] + "\n";
    expected += ruler + "    Your final score was: " + c.score + "\n" + ruler + "    High score: " + c.record;
    EXPECT_EQ(shown.substr(0, shown.find("\n\n")), expected);
  }
}
