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
#include "random/Lfrand.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/GameScreen.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/PieceRules.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

// Mostly moves of every kind, some keys that are never moves, now and then a command or an
// answer; once its budget is spent it interrupts the run as a keyboard interrupt would.
int randomKey(std::mt19937& random, int& budget) {
  static constexpr std::string_view moves = "hjklyubnYUBNqwedcxzaHJKL12346789.5&(!#$\"*^";
  static constexpr std::array<int, 16> others = {
      KeyLeft, KeyRight, KeyUp, KeyDown, 1, 4, 27, 0534, 300, ' ', 'r', '?', 'y', 'N', 'S', 'm'};
  if (--budget < 0) {
    noteSignal(SIGINT);
    return NoKey;
  }
  const int roll = std::uniform_int_distribution<int>(0, 199)(random);
  return roll < 170 ? moves[static_cast<std::size_t>(roll) % moves.size()] : others[roll % 16];
}

// The King and the pieces on clear cells, and the map on screen exactly as a fresh drawing of the
// state shows it.
void expectSoundState(const ScreenBuffer& screen, const Map& map, const Player& king,
                      const CreatureList& creatures) {
  EXPECT_TRUE(!king.alive || isclear(map, king.x, king.y, Undefined()));
  for (std::size_t i = 1; i < creatures.size(); ++i) {
    const Creature& c = creatures[i];
    EXPECT_TRUE(!c.alive || isclear(map, c.x, c.y, Undefined()))
        << c.name << " at " << c.x << ", " << c.y;
  }
  VirtualTerminal fresh;
  const UsingTerminal drawnOn(fresh);
  startScreen();
  showmap(map, king, creatures);
  for (int cell = 0; cell < map.width * map.height; ++cell) {
    const int column = cell % map.width, row = cell / map.width;
    ASSERT_TRUE(screen.cell(column, row).glyph == fresh.charAt(column, row) &&
                screen.cell(column, row).attributes == fresh.attributesAt(column, row))
        << "the screen differs from the state at column " << column << ", row " << row;
  }
}

// A game saved at the start of a far area by a King who has learnt a little of everything, so
// the run enters that area the way a restored game does.
void saveGameAtLevel(int level, std::mt19937& random) {
  const auto some = [&](int most) { return std::uniform_int_distribution<int>(0, most)(random); };
  const Map map = buildAreaMap(level);
  Player king = newplayer();
  king.kills = Kills{some(60), some(60), some(60), some(60), some(12), 0};
  saveGame(map, king, populateArea(map, level), level);
}

struct Coverage {
  int runs = 0, areas = 0, turns = 0, highestLevel = 0;
};

void playOneRun(unsigned seed, int startLevel, int keys, Coverage& coverage) {
  const TempHome home;
  std::mt19937 random(seed);
  lfSrand(seed);
  if (startLevel > 1) saveGameAtLevel(startLevel, random);
  VirtualTerminal screen;
  screen.whenOutOfKeys([&] { return randomKey(random, keys); });
  Kills last{};
  observeTurns([&](Moment moment, const Map& map, const Player& king, const CreatureList& creatures,
                   int level) {
    const Kills& k = king.kills;
    const bool turn = moment == Moment::TurnOver;
    EXPECT_TRUE(!turn ||
                (k.pawns >= last.pawns && k.knights >= last.knights && k.bishops >= last.bishops &&
                 k.rooks >= last.rooks && k.queens >= last.queens && k.king >= last.king))
        << "a capture count went down";
    (turn ? coverage.turns : coverage.areas) += 1;
    coverage.highestLevel = std::max(coverage.highestLevel, level);
    last = k;
    // The game's own screen, which it draws on while it plays.
    expectSoundState(dynamic_cast<GameScreen&>(terminalInUse()).cells(), map, king, creatures);
    VirtualTerminal scratch;
    const UsingTerminal gameScreen(terminalInUse());  // given back to the game afterwards
    rules::expectPiecesKeepTheirRules(scratch, king, map, creatures);
  });
  useTerminal(screen);
  testing::internal::CaptureStdout();
  runVardenholt();
  testing::internal::GetCapturedStdout();
  clearPendingSignal();  // the interrupt that ended the run, saving any game in play
  observeTurns(nullptr);
  if (saveExists()) {
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
  std::printf("soak: %d runs, %d areas, %d turns, highest area %d\n", coverage.runs, coverage.areas,
              coverage.turns, coverage.highestLevel);
  EXPECT_GT(coverage.turns, 2000);
  EXPECT_GE(coverage.highestLevel, 300);
}

}  // namespace
}  // namespace vh
