// A full redraw of the game screen into the virtual terminal.
#include <benchmark/benchmark.h>

#include "main/Vardenholt.hpp"
#include "player/Player.hpp"
#include "player/Redraw.hpp"
#include "random/Lfrand.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh {
namespace {

void BM_FullRedraw(benchmark::State& state) {
  lfSrand(1);
  const Map map = buildAreaMap(20);
  const CreatureList creatures = populateArea(map, 20);
  const Player king = newplayer();
  VirtualTerminal terminal;
  useTerminal(terminal);
  for (auto _ : state) fullRefresh(map, king, creatures, 20);
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vh
