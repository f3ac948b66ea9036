// Replays the fuzzer's seed corpus and every input that once broke a loader.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/LoadHarness.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

TEST(LoadReplay, SeedsAndPastCrashesAreHandled) {
  int replayed = 0;
  for (const char* folder : {"corpus", "regressions"}) {
    const std::filesystem::path path = std::filesystem::path(VARDENHOLT_FUZZ_DATA) / folder;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      SCOPED_TRACE(entry.path().string());
      exerciseLoaders(readFile(entry.path()));
      exerciseRecordReaders(readFile(entry.path()));
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace vh
