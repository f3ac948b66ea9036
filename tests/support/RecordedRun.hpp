// Test support for recordings: a run of games played on a virtual terminal through the recorder,
// as the program plays them, and the recordings and verdicts it leaves.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "main/Run.hpp"
#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "record/Recorder.hpp"
#include "record/Replay.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/TempHome.hpp"

namespace vh {

// The recordings in the home's save folder, oldest name first.
inline std::vector<std::filesystem::path> recordingsIn(const TempHome& home) {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path folder = home.saveFile().parent_path() / "recordings";
  if (std::filesystem::exists(folder)) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A screen with the question that follows a game's end left out, where a run asks it: the
// screen a replay of that one game ends on.
inline std::string withoutQuestion(std::string screen) {
  constexpr std::size_t Row = 15, Column = 15, Width = 20;
  screen.replace(Row * 81 + Column, Width, Width, '?');
  return screen;
}

// The screen at the end of each game of a run, the question after it left out, and how each
// ended.
struct PlayedRun {
  std::vector<std::string> endScreens;
  std::vector<GameSummary> summaries;
};

// Plays a run as the program does, recorded: `keys`, then what `more` gives for each key after
// them when it is given, then `signal` when it is not 0.
inline PlayedRun recordRun(const std::string& keys, int signal, unsigned seed,
                           std::function<int()> more = {}) {
  VirtualTerminal screen;
  PlayedRun run;
  screen.pressKeys(keys);
  if (signal != 0) screen.sendSignal(signal);
  if (more) screen.whenOutOfKeys(std::move(more));
  testing::internal::CaptureStdout();
  playRecordedRun(screen, seed, {{}, [&](const GameSummary& summary) {
                                   run.endScreens.push_back(withoutQuestion(screen.toString()));
                                   run.summaries.push_back(summary);
                                 }});
  testing::internal::GetCapturedStdout();
  clearPendingSignal();
  return run;
}

// Verifies the recordings; the status, and what was printed in `lines`.
inline int verifyQuietly(const std::vector<std::string>& paths, std::string* lines = nullptr) {
  testing::internal::CaptureStdout();
  std::vector<RecordingSource> files;
  for (const std::string& path : paths) files.push_back(RecordingSource{path, {}});
  const int status = verifyRecordings(files);
  const std::string out = testing::internal::GetCapturedStdout();
  if (lines != nullptr) *lines = out;
  return status;
}

}  // namespace vh
