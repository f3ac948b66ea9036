// The game's only source of chance: an additive lagged-Fibonacci generator (lags 24 and 55,
// modulus 2^31) filled from the C library's rand(), and dice rolls on top of it.
#pragma once

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
  ValueOutOfRange() : GameError("Value out of range", 1000) {}
};

// Seeds the C library's generator with seed and fills the lag table from rand().
void lfSrand(unsigned int seed);
// The next value in 0 .. 2^31 - 1; the first draw of a run seeds from the clock.
int lfGetRand();
// A value in 0 .. n - 1; raises ValueOutOfRange, drawing nothing, when n < 1.
int lfIntRand(int n);
// bonus plus count rolls of 1 .. sides; a die of no sides adds and draws nothing.
int lfDice(Dicespec dice);

}  // namespace vh
