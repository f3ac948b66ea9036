// Replaying recorded games as a server checking recordings does: turns replayed per second, the
// game's files (in memory) and screens included, and the long recorded game verified from its
// file with nothing drawn, once for its pace and a thousand times over for its memory; the
// watcher's pass over it and its jumps.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "record/Replay.hpp"
#include "record/Timeline.hpp"
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

// A game of more than a thousand turns over many areas, kept with the tests.
const std::string LongGame = VARDENHOLT_LONG_GAME;

// The long game drawn on a virtual terminal, from its recording read once.
void BM_ReplayLongGame(benchmark::State& state) {
  const Recording recording = loadRecording(LongGame);
  int turns = 0;
  for (auto _ : state) {
    VirtualTerminal terminal;
    const ReplayResult result = replayGame(recording, terminal);
    if (!result.reached) state.SkipWithError("the long game does not replay to its end");
    turns += result.reached ? result.reached->turns : 0;
  }
  state.counters["turns"] = benchmark::Counter(turns, benchmark::Counter::kIsRate);
  state.counters["turns/game"] =
      static_cast<double>(turns) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ReplayLongGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Verifies the long game from its file with nothing drawn, as --verify does; its turns.
int verifyLongGame(benchmark::State& state) {
  const ReplayResult result = replayFile(RecordingSource{LongGame, {}});
  if (!result.reached || result.reached != result.recorded || result.keysLeft != 0) {
    state.SkipWithError("the long game does not verify");
  }
  return result.reached ? result.reached->turns : 0;
}

void BM_VerifyLongGame(benchmark::State& state) {
  int turns = 0;
  for (auto _ : state) turns += verifyLongGame(state);
  state.counters["turns"] = benchmark::Counter(turns, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_VerifyLongGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// The watcher's first pass over the long game, which keeps the moments it goes back to, and then
// a jump to a moment anywhere in it: at most a kept moment and a few keys away, however long the
// game, so the jump costs the same in a game ten times as long.
void BM_TimelineFirstPass(benchmark::State& state) {
  const Recording recording = loadRecording(LongGame);
  for (auto _ : state) {
    const Timeline timeline(recording, 8);
    benchmark::DoNotOptimize(timeline.length());
  }
}
BENCHMARK(BM_TimelineFirstPass)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TimelineJump(benchmark::State& state) {
  const Recording recording = loadRecording(LongGame);
  Timeline timeline(recording, 8);
  std::mt19937 random(1);
  for (auto _ : state) {
    timeline.seek(random() % (timeline.length() + 1));
    benchmark::DoNotOptimize(timeline.game());
  }
}
BENCHMARK(BM_TimelineJump)->Unit(benchmark::kMillisecond)->UseRealTime();

// The process's resident memory now and at its peak, in bytes, as /proc/self/status gives them.
struct Resident {
  double now = 0;
  double peak = 0;
};

Resident resident() {
  Resident memory;
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) memory.now = 1024 * std::strtod(line.c_str() + 6, nullptr);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  memory.peak = 1024 * static_cast<double>(usage.ru_maxrss);
  return memory;
}

// Brings the peak down to what is resident now, so that the benchmarks before this one do not
// hide a peak of its own; where Linux refuses, the peak is the process's since it began.
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The long game verified a thousand times one after another: the memory after the first
// verification and after the last, which are the same unless something is kept from one to the
// next.
void BM_VerifyLongGameMemory(benchmark::State& state) {
  constexpr int Verifications = 1000;
  int turns = 0;
  Resident first, last;
  for (auto _ : state) {
    resetPeak();
    turns += verifyLongGame(state);
    first = resident();
    for (int i = 1; i < Verifications; ++i) turns += verifyLongGame(state);
    last = resident();
  }
  const auto bytes = [](double value) {
    return benchmark::Counter(value, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
  };
  state.counters["peak1"] = bytes(first.peak);
  state.counters["peak1000"] = bytes(last.peak);
  state.counters["rss1"] = bytes(first.now);
  state.counters["rss1000"] = bytes(last.now);
  state.counters["turns"] = benchmark::Counter(turns, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_VerifyLongGameMemory)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace vh
