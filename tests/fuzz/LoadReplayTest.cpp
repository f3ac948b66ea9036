// Replays the fuzzer's seed corpus and every input that once broke a loader.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/LoadHarness.hpp"

namespace vh {
namespace {

TEST(LoadReplay, SeedsAndPastCrashesAreHandled) {
  int replayed = 0;
  for (const char* folder : {"corpus", "regressions"}) {
    const std::filesystem::path path = std::filesystem::path(VARDENHOLT_FUZZ_DATA) / folder;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      SCOPED_TRACE(entry.path().string());
      exerciseLoaders(text);
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace vh
