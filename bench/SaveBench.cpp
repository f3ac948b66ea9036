// Writing and reading a whole saved game, against copying as many bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "main/Vardenholt.hpp"
#include "player/Player.hpp"
#include "random/Lfrand.hpp"
#include "save/Marshal.hpp"
#include "save/Records.hpp"
#include "save/Savefile.hpp"

namespace vh {
namespace {

GameState savedArea() {
  lfSrand(1);
  Map map = buildAreaMap(20);
  CreatureList creatures = populateArea(map, 20);
  return GameState{std::move(map), newplayer(), std::move(creatures), 20};
}

// The format alone: a saved game's generic value to text, and text to value.
void BM_Marshal(benchmark::State& state) {
  const Document document = toDocument(savedArea());
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = marshal(document, SaveId);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_Marshal)->Unit(benchmark::kMicrosecond);

void BM_Unmarshal(benchmark::State& state) {
  const std::string text = marshal(toDocument(savedArea()), SaveId);
  for (auto _ : state) benchmark::DoNotOptimize(unmarshal(text, SaveId));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Unmarshal)->Unit(benchmark::kMicrosecond);

// The whole way, with the game's records converted to and from the generic value.
void BM_SavedGameToText(benchmark::State& state) {
  const GameState game = savedArea();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = marshal(toDocument(game), SaveId);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_SavedGameToText)->Unit(benchmark::kMicrosecond);

void BM_TextToSavedGame(benchmark::State& state) {
  const std::string text = marshal(toDocument(savedArea()), SaveId);
  for (auto _ : state) benchmark::DoNotOptimize(gameStateFrom(unmarshal(text, SaveId)));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_TextToSavedGame)->Unit(benchmark::kMicrosecond);

// The ceiling: a plain copy of as many bytes as a saved game holds.
void BM_CopySavedGameBytes(benchmark::State& state) {
  const std::string text = marshal(toDocument(savedArea()), SaveId);
  std::vector<char> copy(text.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), text.data(), text.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_CopySavedGameBytes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vh
