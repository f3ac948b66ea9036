#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "save/Savefile.hpp"
#include "support/Board.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

using board::Board;

std::string line(const std::string& text) { return text + std::string(80 - text.size(), ' '); }

// A player who reads the screen before each key. Before area `lastArea` the King takes the
// shortest way to the exit that never ends on a pawn's diagonal; from then on he seeks one. He
// declines another game.
class Bot final : public Terminal {
 public:
  explicit Bot(int lastArea) : lastArea_(lastArea) {}
  VirtualTerminal screen;
  std::vector<int> escaped;  // the areas he left by the exit
  std::string taken;         // message line 0 when he was captured
  VirtualTerminal::Style question{};

  void start() override { screen.start(); }
  void stop() override { screen.stop(); }
  bool hasColours() const override { return true; }
  void definePair(int pair, Colour colour) override { screen.definePair(pair, colour); }
  void attributesOn(TextAttributes a) override { screen.attributesOn(a); }
  void attributesOff(TextAttributes a) override { screen.attributesOff(a); }
  void write(int column, int row, std::string_view s) override { screen.write(column, row, s); }
  void clear() override { screen.clear(); }
  void refresh() override { screen.refresh(); }
  void setCursorVisible(bool visible) override { screen.setCursorVisible(visible); }
  int readKey() override {
    if (++keys_ > 3000) throw KeyScriptExhausted();
    screen.pressKey(nextKey());
    return screen.readKey();
  }

 private:
  static constexpr int W = 59, H = 19;  // map cell (x, y) is on screen at (x - 1, y - 1)
  char at(int i) const { return i >= 0 && i < W * H ? screen.charAt(i % W, i / W) : '#'; }
  bool open(int i) const { return std::string("#= ").find(at(i)) == std::string::npos; }
  bool onAPawnsDiagonal(int i) const {
    return at(i - W - 1) == 'P' || at(i - W + 1) == 'P' || at(i + W - 1) == 'P' ||
           at(i + W + 1) == 'P';
  }

  int nextKey() {
    if (screen.row(15).compare(15, 17, "Play again? [Y/n]") == 0) {
      question = screen.styleAt(15, 15);
      return 'n';
    }
    const int area = std::atoi(screen.row(0).substr(66).c_str());
    if (screen.row(20).starts_with("Press any key to exit.")) taken = screen.row(19);
    if (screen.row(20).starts_with("Press any key for the next area.")) escaped.push_back(area);
    const bool escaping = area < lastArea_;
    // Steps to the goal from every cell, by a breadth-first search from the goal. No step leaves
    // the map or wraps round a row, since the map's ring is wall.
    std::array<int, W * H> distance;
    std::deque<int> queue;
    for (int i = 0; i < W * H; ++i) {
      distance[i] = open(i) && (escaping ? i == 17 * W + 57 : onAPawnsDiagonal(i)) ? 0 : -1;
      if (distance[i] == 0) queue.push_back(i);
    }
    const std::pair<int, char> steps[] = {{-1, 'h'}, {1, 'l'}, {-W, 'k'}, {W, 'j'}};
    for (; !queue.empty(); queue.pop_front()) {
      for (const auto& [step, key] : steps) {
        const int j = queue.front() + step;
        if (!open(j) || distance[j] >= 0) continue;
        distance[j] = distance[queue.front()] + 1;
        queue.push_back(j);
      }
    }
    const std::size_t found = screen.toString().find('@');  // rows are joined by '\n'
    const auto c = static_cast<int>(found % 81), r = static_cast<int>(found / 81);
    const int king = found != std::string::npos && c < W && r < H ? r * W + c : -1;
    char best = '.';
    for (int s = 0, shortest = W * H; king > W && s < 4; ++s) {
      const int j = king + steps[s].first;
      if (!open(j) || distance[j] < 0 || distance[j] >= shortest) continue;
      if (escaping && onAPawnsDiagonal(j)) continue;
      shortest = distance[j];
      best = steps[s].second;
    }
    return best;
  }

  int lastArea_;
  int keys_ = 0;
};

// Runs of the game with their saved game and high score in a home of their own.
class Game : public ::testing::Test {
 protected:
  // Saves the board as the game to resume, then runs the game on a fresh terminal with the keys.
  void resume(const Board& b, const std::string& keys) {
    saveGame(b.map, b.player, b.creatures, 1);
    useTerminal(terminal);
    terminal.pressKeys(" " + keys);  // past the instructions first
    lfSrand(1);
    EXPECT_THROW(runVardenholt(), KeyScriptExhausted);
  }
  const TempHome home;
  VirtualTerminal terminal;
};

TEST_F(Game, CapturedQueensGiveTheKingASecondAndAThirdMove) {
  struct {
    const char* kills;
    const char* board;  // the King and a piece on his right
    const char* keys;
    const char* line0;
    const char* line1;
  } const cases[] = {{"4Q", "@P", "l", "You captured a pawn! ", ""},
                     {"5Q", "@P", "l", "You captured a pawn! ", "Second move."},
                     {"5Q", "@P", "ll", "", ""},
                     {"4Q", "@Q", "l", "You captured a queen! ", "Second move."},
                     {"10Q", "@P", "ll", "", "Third move."},
                     {"10Q", "@P", "lll", "", ""}};
  for (const auto& [kills, row, keys, line0, line1] : cases) {
    resume(Board::fromPicture({row}, board::taken(kills), 59, 19), keys);
    EXPECT_EQ(terminal.row(19), line(line0)) << kills << ", keys " << keys;
    EXPECT_EQ(terminal.row(20), line(line1)) << kills << ", keys " << keys;
  }
}

TEST_F(Game, TheKingLeavesBeforeAnyPieceMovesWhenHisFirstMoveReachesTheExit) {
  Board b = Board::fromPicture({"."}, board::taken("10Q"), 59, 19);
  b.player.x = 57;
  b.player.y = 18;
  Creature rook = Rook();  // it would take him on the exit
  rook.x = 58;
  rook.y = 16;
  appendCreature(b.creatures, rook);
  resume(b, "l");
  EXPECT_EQ(terminal.row(20), line("Press any key for the next area."));
}

TEST_F(Game, AKingCrossesTwoAreasIsTakenInTheThirdAndDeclinesAnotherGame) {
  Bot bot(3);
  useTerminal(bot);
  lfSrand(2);  // areas in which this walk gets through the first two
  runVardenholt();
  EXPECT_EQ(bot.escaped, (std::vector<int>{1, 2}));
  EXPECT_NE(bot.taken.find(". Checkmate."), std::string::npos) << bot.taken;
  EXPECT_EQ(bot.question, (VirtualTerminal::Style{Colour::Yellow, true}));
  EXPECT_FALSE(bot.screen.started());
  EXPECT_TRUE(bot.screen.cursorVisible());
}

}  // namespace
}  // namespace vh
