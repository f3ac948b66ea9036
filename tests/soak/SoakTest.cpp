// Long play: many games driven by a player who presses random keys, from area 1 and from saved
// games far past area 20, checking after every turn what the game promises.
#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <random>
#include <set>
#include <utility>

#include "creatures/Creatures.hpp"
#include "main/Vardenholt.hpp"
#include "player/Player.hpp"
#include "player/Redraw.hpp"
#include "random/Lfrand.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

// A virtual screen whose keyboard is a random player with a budget of keys; when the budget is
// spent it interrupts the run, as a keyboard interrupt would.
class RandomPlayer final : public Terminal {
 public:
  RandomPlayer(unsigned seed, int keys) : random_(seed), keysLeft_(keys) {}

  const VirtualTerminal& screen() const { return screen_; }

  void start() override { screen_.start(); }
  void stop() override { screen_.stop(); }
  bool hasColours() const override { return true; }
  void definePair(int pair, Colour foreground) override { screen_.definePair(pair, foreground); }
  void attributesOn(TextAttributes a) override { screen_.attributesOn(a); }
  void attributesOff(TextAttributes a) override { screen_.attributesOff(a); }
  void write(int column, int row, std::string_view text) override {
    screen_.write(column, row, text);
  }
  void clear() override { screen_.clear(); }
  void refresh() override {}
  void setCursorVisible(bool visible) override { screen_.setCursorVisible(visible); }

  int readKey() override {
    if (--keysLeft_ < 0) {
      noteSignal(SIGINT);
      return NoKey;
    }
    // Mostly moves of every kind, some keys that are never moves, now and then a command.
    static constexpr std::string_view moves = "hjklyubnYUBNqwedcxzaHJKL12346789.5&(!#$\"*^";
    const int roll = std::uniform_int_distribution<int>(0, 199)(random_);
    if (roll < 170) return moves[static_cast<std::size_t>(roll) % moves.size()];
    if (roll < 180) return std::array{KeyLeft, KeyRight, KeyUp, KeyDown}[roll % 4];
    if (roll < 190) return std::array<int, 10>{1, 4, 27, 0534, 0410, 300, 'm', 'Z', ' ', '\n'}[roll % 10];
    if (roll < 196) return std::array<int, 4>{'r', '?', 'y', 'N'}[roll % 4];
    return 'S';
  }

 private:
  VirtualTerminal screen_;
  std::mt19937 random_;
  int keysLeft_;
};

struct Coverage {
  int games = 0;
  int areas = 0;
  int turns = 0;
  int highestLevel = 0;
};

// The map part of the screen, as a fresh drawing of the state would show it.
void expectScreenShowsState(const VirtualTerminal& screen, const Map& map, const Player& player,
                            const CreatureList& creatures) {
  VirtualTerminal fresh;
  useTerminal(fresh);
  startScreen();
  showmap(map, player, creatures);
  for (int row = 0; row < map.height; ++row) {
    for (int column = 0; column < map.width; ++column) {
      ASSERT_EQ(screen.charAt(column, row), fresh.charAt(column, row))
          << "at column " << column << ", row " << row;
      ASSERT_EQ(screen.styleAt(column, row), fresh.styleAt(column, row))
          << "at column " << column << ", row " << row;
    }
  }
}

void expectSoundState(const Map& map, const Player& player, const CreatureList& creatures) {
  if (player.alive) {
    ASSERT_TRUE(isclear(map, player.x, player.y, Undefined()));
  }
  std::set<std::pair<int, int>> taken;
  for (std::size_t i = 1; i < creatures.size(); ++i) {
    const Creature& c = creatures[i];
    if (!c.alive) continue;
    ASSERT_TRUE(isclear(map, c.x, c.y, Undefined())) << c.name << " at " << c.x << ", " << c.y;
    ASSERT_TRUE(taken.insert({c.x, c.y}).second) << "two pieces on " << c.x << ", " << c.y;
  }
}

void expectCountsKeptOrGrown(const Kills& before, const Kills& now) {
  EXPECT_GE(now.pawns, before.pawns);
  EXPECT_GE(now.knights, before.knights);
  EXPECT_GE(now.bishops, before.bishops);
  EXPECT_GE(now.rooks, before.rooks);
  EXPECT_GE(now.queens, before.queens);
  EXPECT_GE(now.king, before.king);
}

// A game saved at the start of a far area, with a King who has learnt a little of everything,
// so the run enters that area the way a restored game does.
void saveGameAtLevel(int level, unsigned seed) {
  std::mt19937 random(seed);
  const auto some = [&](int most) { return std::uniform_int_distribution<int>(0, most)(random); };
  Map map = buildAreaMap(level);
  CreatureList creatures = populateArea(map, level);
  Player king = newplayer();
  king.kills = Kills{some(60), some(60), some(60), some(60), some(12), 0};
  saveGame(map, king, creatures, level);
}

void playOneRun(unsigned seed, int startLevel, int keys, Coverage& coverage) {
  const TempHome home;
  lfSrand(seed);
  if (startLevel > 1) saveGameAtLevel(startLevel, seed);
  RandomPlayer player(seed, keys);
  Kills lastCounts{};
  observeTurns([&](Moment moment, const Map& map, const Player& king,
                   const CreatureList& creatures, int level) {
    if (moment == Moment::AreaShown) {
      ++coverage.areas;
    } else {
      ++coverage.turns;
      expectCountsKeptOrGrown(lastCounts, king.kills);
    }
    lastCounts = king.kills;
    coverage.highestLevel = std::max(coverage.highestLevel, level);
    expectSoundState(map, king, creatures);
    expectScreenShowsState(player.screen(), map, king, creatures);
    useTerminal(player);
  });
  useTerminal(player);
  clearPendingSignal();
  runVardenholt();
  clearPendingSignal();
  observeTurns(nullptr);
  ++coverage.games;
}

TEST(Soak, RandomPlayersKeepEveryPromise) {
  Coverage coverage;
  constexpr std::array<int, 8> startLevels = {1, 1, 1, 5, 12, 20, 60, 300};
  for (unsigned seed = 1; seed <= 40 && !HasFailure(); ++seed) {
    const int level = startLevels[seed % startLevels.size()];
    playOneRun(seed, level, level >= 60 ? 800 : 3000, coverage);
  }
  std::printf("soak: %d runs, %d areas, %d turns, highest area %d\n", coverage.games,
              coverage.areas, coverage.turns, coverage.highestLevel);
  EXPECT_GT(coverage.turns, 1000);
  EXPECT_GE(coverage.highestLevel, 300);
}

}  // namespace
}  // namespace vh
