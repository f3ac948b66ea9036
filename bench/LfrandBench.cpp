// The game's generator against the standard Mersenne Twister, both giving 31-bit values.
#include <benchmark/benchmark.h>

#include <random>

#include "random/Lfrand.hpp"

namespace vh {
namespace {

void BM_LaggedFibonacciDraw(benchmark::State& state) {
  lfSrand(1);
  for (auto _ : state) benchmark::DoNotOptimize(lfGetRand());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LaggedFibonacciDraw);

void BM_MersenneTwisterDraw(benchmark::State& state) {
  std::mt19937 twister(1);
  for (auto _ : state) benchmark::DoNotOptimize(twister() >> 1);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MersenneTwisterDraw);

}  // namespace
}  // namespace vh
