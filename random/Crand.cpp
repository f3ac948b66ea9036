#include "random/Crand.hpp"

namespace vh {
namespace {

constexpr int Words = 31;
constexpr int Separation = 3;
constexpr int Discarded = 10 * Words;  // the warm-up draws srand() throws away

}  // namespace

CrandState crandSeeded(unsigned int seed) {
  CrandState state{{}, Separation, 0};
  // The seed fills the words through the minimal standard generator (16807 x mod 2^31 - 1),
  // computed on signed 32-bit values without overflow, as the C library does.
  std::int32_t word = seed == 0 ? 1 : static_cast<std::int32_t>(seed);
  state.words[0] = static_cast<std::uint32_t>(word);
  for (int i = 1; i < Words; ++i) {
    const std::int32_t high = word / 127773;
    const std::int32_t low = word % 127773;
    word = 16807 * low - 2836 * high;
    if (word < 0) word += 2147483647;
    state.words[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(word);
  }
  for (int i = 0; i < Discarded; ++i) crandNext(state);
  return state;
}

int crandNext(CrandState& state) {
  std::uint32_t& front = state.words[static_cast<std::size_t>(state.front)];
  front += state.words[static_cast<std::size_t>(state.rear)];
  const int result = static_cast<int>(front >> 1);
  state.front = (state.front + 1) % Words;
  state.rear = (state.rear + 1) % Words;
  return result;
}

}  // namespace vh
