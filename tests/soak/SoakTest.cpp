// Long play: many games driven by a player who presses random keys, from area 1 and from saved
// games far past area 20, checking after every turn what the game promises, and that every piece
// would keep its rules if it moved in the position the turn left.
#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <random>
#include <utility>

#include "main/Vardenholt.hpp"
#include "player/Player.hpp"
#include "player/Redraw.hpp"
#include "support/PieceRules.hpp"
#include "support/SteppedRun.hpp"

namespace vh {
namespace {

// Mostly moves of every kind, some keys that are never moves, now and then a command or an
// answer; once its budget is spent, a keyboard interrupt.
Input randomInput(std::mt19937& random, int& budget) {
  static constexpr std::string_view moves = "hjklyubnYUBNqwedcxzaHJKL12346789.5&(!#$\"*^";
  static constexpr std::array<int, 16> others = {
      KeyLeft, KeyRight, KeyUp, KeyDown, 1, 4, 27, 0534, 300, ' ', 'r', '?', 'y', 'N', 'S', 'm'};
  if (--budget < 0) return Input{NoKey, SIGINT};
  const int roll = std::uniform_int_distribution<int>(0, 199)(random);
  return Input{roll < 170 ? moves[static_cast<std::size_t>(roll) % moves.size()] : others[roll % 16],
               0};
}

// The King and the pieces on clear cells, and the map on screen exactly as a fresh drawing of the
// state shows it.
void expectSoundState(const VirtualTerminal& screen, const Game& game) {
  const Map& map = game.map;
  EXPECT_TRUE(!game.player.alive || isclear(map, game.player.x, game.player.y, Undefined()));
  for (std::size_t i = 1; i < game.creatures.size(); ++i) {
    const Creature& c = game.creatures[i];
    EXPECT_TRUE(!c.alive || isclear(map, c.x, c.y, Undefined()))
        << c.name << " at " << c.x << ", " << c.y;
  }
  VirtualTerminal fresh;
  const UsingTerminal drawnOn(fresh);
  startScreen();
  showmap(map, game.player, game.creatures);
  for (int cell = 0; cell < map.width * map.height; ++cell) {
    const int column = cell % map.width, row = cell / map.width;
    ASSERT_TRUE(screen.charAt(column, row) == fresh.charAt(column, row) &&
                screen.attributesAt(column, row) == fresh.attributesAt(column, row))
        << "the screen differs from the state at column " << column << ", row " << row;
  }
}

// A game saved at the start of a far area by a King who has learnt a little of everything, so
// the run enters that area the way a restored game does.
std::map<std::string, std::string> savedAtLevel(int level, std::mt19937& random) {
  const auto some = [&](int most) { return std::uniform_int_distribution<int>(0, most)(random); };
  lfSrand(static_cast<unsigned>(level));
  const Map map = buildAreaMap(level);
  Player king = newplayer();
  king.kills = Kills{some(60), some(60), some(60), some(60), some(12), 0};
  return {{SaveEntry, savedGameText(map, king, populateArea(map, level), level)}};
}

struct Coverage {
  int runs = 0, turns = 0, highestLevel = 0;
};

// At the start of every turn and every area the state is sound, every piece would keep its rules
// if it moved now, and no capture count of the game in play has gone down.
void playOneRun(unsigned seed, int startLevel, int keys, Coverage& coverage) {
  std::mt19937 random(seed);
  SteppedRun run(startLevel > 1 ? savedAtLevel(startLevel, random) : std::map<std::string, std::string>{},
                 seed);
  Kills last{};
  int turns = 0, level = 0;
  while (run.game.waiting != Waiting::Over && !testing::Test::HasFatalFailure()) {
    run.give(randomInput(random, keys));
    if (run.game.waiting == Waiting::Question) last = {}, turns = 0, level = 0;  // a new game next
    if (run.game.waiting != Waiting::Move || run.game.move != 1) continue;
    const bool nextTurn = run.game.turns > turns;
    if (!nextTurn && run.game.turns == turns && run.game.level == level) continue;
    const Kills& k = run.game.player.kills;
    EXPECT_TRUE(!nextTurn || (k.pawns >= last.pawns && k.knights >= last.knights &&
                              k.bishops >= last.bishops && k.rooks >= last.rooks &&
                              k.queens >= last.queens && k.king >= last.king))
        << "a capture count went down";
    coverage.turns += nextTurn;
    turns = run.game.turns;
    level = run.game.level;
    last = k;
    coverage.highestLevel = std::max(coverage.highestLevel, run.game.level);
    expectSoundState(run.screen, run.game);
    VirtualTerminal scratch;
    rules::expectPiecesKeepTheirRules(scratch, run.game.player, run.game.map, run.game.creatures);
  }
  if (run.files.holds(SaveEntry)) {
    const UsingStore filesIn(run.files);
    EXPECT_NO_THROW(loadGame()) << "whatever play reaches loads again";
  }
  ++coverage.runs;
}

TEST(Soak, RandomPlayersKeepEveryPromise) {
  Coverage coverage;
  constexpr std::array<int, 8> startLevels = {1, 1, 1, 5, 12, 20, 60, 300};
  for (unsigned seed = 1; seed <= 80 && !HasFailure(); ++seed) {
    const int level = startLevels[seed % startLevels.size()];
    playOneRun(seed, level, level >= 60 ? 800 : 3000, coverage);
  }
  std::printf("soak: %d runs, %d turns, highest area %d\n", coverage.runs, coverage.turns,
              coverage.highestLevel);
  EXPECT_GT(coverage.turns, 2000);
  EXPECT_GE(coverage.highestLevel, 300);
}

}  // namespace
}  // namespace vh
