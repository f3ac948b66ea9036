// libFuzzer entry: every input is offered to the loaders of both files and to the readers of
// recordings and the game log.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/LoadHarness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  vh::exerciseLoaders(text);
  vh::exerciseRecordReaders(text);
  return 0;
}
