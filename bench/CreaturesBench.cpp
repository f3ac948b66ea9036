// One whole turn on a crowded area: the King's move with its captures, every piece's move and
// the screen update, by the number of live pieces.
#include <benchmark/benchmark.h>

#include "creatures/Creatures.hpp"
#include "main/Vardenholt.hpp"
#include "player/Captures.hpp"
#include "player/Player.hpp"
#include "player/Redraw.hpp"
#include "random/Lfrand.hpp"
#include "screen/Display.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh {
namespace {

// An area 300 full of pieces, keeping the first `live` of them in play.
CreatureList crowd(const Map& map, int live) {
  CreatureList creatures = populateArea(map, 300);
  for (std::size_t i = 1; i < creatures.size(); ++i) {
    creatures[i].alive = static_cast<int>(i) <= live;
  }
  return creatures;
}

void BM_WholeTurn(benchmark::State& state) {
  const int live = static_cast<int>(state.range(0));
  lfSrand(1);
  const Map map = buildAreaMap(300);
  const CreatureList start = crowd(map, live);
  VirtualTerminal terminal;
  useTerminal(terminal);
  Player king = newplayer();
  fullRefresh(map, king, start, 300);
  for (auto _ : state) {
    state.PauseTiming();
    CreatureList creatures = start;
    king = newplayer();
    state.ResumeTiming();
    movePlayer(king, map, creatures, 300, '.');
    if (checkCreatureKill(king, creatures)) refreshPlayerCell(king, map, creatures);
    moveCreatures(king, map, creatures);
    checkPlayerKill(king, creatures);
    updateScreen();
  }
  state.counters["pieces"] = live;
}
BENCHMARK(BM_WholeTurn)->Arg(10)->Arg(100)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vh
