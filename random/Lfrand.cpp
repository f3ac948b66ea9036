#include "random/Lfrand.hpp"

#include <ctime>

#include "random/Crand.hpp"

namespace vh {
namespace {

constexpr std::size_t LongLag = 55;
constexpr std::size_t ShortLagOffset = 31;  // entry 31 of the table is the value 24 draws back

// The lag table as a ring: oldest is the index of entry 0, the oldest value.
struct Generator {
  std::array<std::uint32_t, LongLag> table{};
  std::size_t oldest = 0;
  bool seeded = false;
};

Generator generator;

void seedFromClockOnce() {
  if (!generator.seeded) lfSrand(static_cast<unsigned int>(std::time(nullptr)));
}

}  // namespace

void lfSrand(unsigned int seed) {
  CrandState c = crandSeeded(seed);
  for (std::uint32_t& entry : generator.table) entry = static_cast<std::uint32_t>(crandNext(c));
  generator.oldest = 0;
  generator.seeded = true;
}

LfState lfState() {
  seedFromClockOnce();
  return LfState{generator.table, static_cast<int>(generator.oldest)};
}

void lfRestore(const LfState& state) {
  generator.table = state.table;
  generator.oldest = static_cast<std::size_t>(state.oldest) % LongLag;
  generator.seeded = true;
}

int lfGetRand() {
  seedFromClockOnce();
  Generator& g = generator;
  const std::size_t partner = (g.oldest + ShortLagOffset) % LongLag;
  const std::uint32_t value = (g.table[g.oldest] + g.table[partner]) & 0x7fffffffU;
  g.table[g.oldest] = value;  // the oldest entry leaves and the new value becomes the newest
  g.oldest = (g.oldest + 1) % LongLag;
  return static_cast<int>(value);
}

int lfIntRand(int n) {
  if (n < 1) throw ValueOutOfRange();
  return lfGetRand() % n;
}

int lfDice(Dicespec dice) {
  int total = dice.bonus;
  for (int i = 0; i < dice.count; ++i) {
    if (dice.sides > 0) total += lfIntRand(dice.sides) + 1;
  }
  return total;
}

}  // namespace vh
