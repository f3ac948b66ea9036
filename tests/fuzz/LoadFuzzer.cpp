// libFuzzer entry: every input is offered to the loaders of both files.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/LoadHarness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vh::exerciseLoaders(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
