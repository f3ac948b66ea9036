// Replaying a recorded game with no terminal, as a server checking recordings does: turns
// replayed per second, the game's files (in memory) and screens included.
#include <benchmark/benchmark.h>

#include <random>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "record/Replay.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh {
namespace {

// A new game and a player who walks about at random until the keys run out or he is taken.
Recording wanderingGame(unsigned seed, int keys) {
  lfSrand(seed);
  Recording recording{
      RecordingStart{VARDENHOLT_VERSION, seed, "", lfState(), std::nullopt, std::nullopt},
      {},
      {},
      std::nullopt};
  std::mt19937 random(seed);
  constexpr std::string_view moves = "hjkl.hjkl.lljj";
  for (int i = 0; i < keys; ++i) {
    recording.keys.push_back(RecordedKey{moves[random() % moves.size()], 0});
  }
  return recording;
}

void replay(const Recording& recording) {
  VirtualTerminal terminal;
  benchmark::DoNotOptimize(replayGame(recording, terminal));
}

// The longest of the first games the wandering player plays.
Recording longGame(int& turns) {
  Recording longest = wanderingGame(1, 4000);
  int most = 0;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    const Recording candidate = wanderingGame(seed, 4000);
    turns = 0;
    replay(candidate);
    if (turns > most) most = turns, longest = candidate;
  }
  return longest;
}

void BM_ReplayTurns(benchmark::State& state) {
  int turns = 0;
  observeTurns([&](Moment moment, const Map&, const Player&, const CreatureList&, int) {
    turns += moment == Moment::TurnOver ? 1 : 0;
  });
  const Recording recording = longGame(turns);
  turns = 0;
  for (auto _ : state) replay(recording);
  observeTurns(nullptr);
  state.counters["turns"] = benchmark::Counter(turns, benchmark::Counter::kIsRate);
  state.counters["turns/game"] =
      static_cast<double>(turns) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ReplayTurns)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace vh
