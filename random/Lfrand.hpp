// The game's only source of chance: an additive lagged-Fibonacci generator (lags 24 and 55,
// modulus 2^31) filled from the C library's rand() (computed here, so a seed plays the same game
// everywhere), and dice rolls on top of it.
#pragma once

#include <array>
#include <cstdint>

#include "screen/Util.hpp"

namespace vh {

// A roll of `count` dice of `sides` sides, plus `bonus`.
struct Dicespec {
  int count;
  int sides;
  int bonus;
};

// Raised for an empty or negative range.
class ValueOutOfRange : public GameError {
 public:
  ValueOutOfRange() : GameError("Value out of range", OutOfRangeCode) {}
};

// The generator's whole state: a game that starts from it draws exactly the same numbers.
struct LfState {
  std::array<std::uint32_t, 55> table;
  int oldest;  // the index of the oldest value of the table

  bool operator==(const LfState&) const = default;
};

// Seeds the C library's generator with seed and fills the lag table from rand().
void lfSrand(unsigned int seed);
// The state the next draw starts from; seeds from the clock first when nothing has seeded yet.
LfState lfState();
// Continues from a state that lfState() gave.
void lfRestore(const LfState& state);
// The next value in 0 .. 2^31 - 1; the first draw of a run seeds from the clock.
int lfGetRand();
// A value in 0 .. n - 1; raises ValueOutOfRange, drawing nothing, when n < 1.
int lfIntRand(int n);
// bonus plus count rolls of 1 .. sides; a die of no sides adds and draws nothing.
int lfDice(Dicespec dice);

}  // namespace vh
