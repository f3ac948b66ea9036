// Building one area: its map, and the pieces placed on it at several levels.
#include <benchmark/benchmark.h>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"

namespace vh {
namespace {

void BM_AreaMap(benchmark::State& state) {
  lfSrand(1);
  for (auto _ : state) benchmark::DoNotOptimize(buildAreaMap(1));
}
BENCHMARK(BM_AreaMap)->Unit(benchmark::kMicrosecond);

void BM_PopulateArea(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  lfSrand(1);
  const Map map = buildAreaMap(level);
  std::size_t pieces = 0;
  for (auto _ : state) {
    const CreatureList creatures = populateArea(map, level);
    pieces = creatures.size() - 1;
    benchmark::DoNotOptimize(creatures.data());
  }
  state.counters["pieces"] = static_cast<double>(pieces);
}
BENCHMARK(BM_PopulateArea)->Arg(1)->Arg(20)->Arg(100)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vh
