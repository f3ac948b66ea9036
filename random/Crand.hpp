// The C library's default rand(), computed by the game itself: the additive feedback generator
// with 31 words of state that the GNU C library uses, so that a seed gives the same game on every
// platform.
#pragma once

#include <array>
#include <cstdint>

namespace vh {

struct CrandState {
  std::array<std::uint32_t, 31> words;
  int front;  // the word that takes the next sum
  int rear;   // the word added to it
};

// The state srand(seed) leaves, ready for the first rand().
CrandState crandSeeded(unsigned int seed);

// The next value in 0 .. 2^31 - 1, as rand() gives it.
int crandNext(CrandState& state);

}  // namespace vh
