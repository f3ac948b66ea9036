#include "record/Recorder.hpp"

#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <tuple>
#include <vector>

#include "random/Lfrand.hpp"
#include "record/Gamelog.hpp"
#include "record/Recording.hpp"
#include "save/Savefile.hpp"

namespace vh {
namespace {

std::string formatTime(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[64];
  return std::string(text, std::strftime(text, sizeof text, format, &utc));
}

// The file as the game would find it now, or none.
std::optional<std::string> fileNow(const Folder& folder, const std::string& name) {
  if (!holds(folder, name)) return std::nullopt;
  return readEntry(folder, name, MaxGameFileSize);
}

// Removes the recordings written longest ago until there is room for one more. Names begin with
// the time, but a clock that once ran ahead makes them lie: the name decides only between
// recordings written at the same time.
void makeRoom(const Folder& recordings) {
  std::vector<std::tuple<std::time_t, long, std::string>> written;
  for (std::string& name : entriesOf(recordings)) {
    if (!name.ends_with(RecordingSuffix)) continue;
    if (const std::optional<timespec> at = modifiedAt(recordings, name))
      written.emplace_back(at->tv_sec, at->tv_nsec, std::move(name));
  }
  std::sort(written.begin(), written.end());
  for (std::size_t i = 0; i + KeptRecordings <= written.size(); ++i)
    removeEntry(recordings, std::get<std::string>(written[i]));
}

}  // namespace

std::string recordingsDir() { return SaveDir() + "recordings/"; }

std::string utcNow() { return formatTime("%Y-%m-%dT%H:%M:%SZ"); }

void Recorder::gameStarted() {
  file_.reset();
  name_.clear();
  started_ = utcNow();
  // Only the run's first game starts where the run's seed does, and only when it is a new one.
  seed_ = firstGame_ ? std::optional(runSeed_) : std::nullopt;
  firstGame_ = false;
  try {
    const std::optional<Folder> home = openFolder(SaveDir());
    if (!home) return;
    std::optional<std::string> savedGame = fileNow(*home, SaveEntry);
    if (savedGame) seed_.reset();
    const RecordingStart start{version_,           seed_,
                               started_,           lfState(),
                               std::move(savedGame), fileNow(*home, HighScoreEntry)};
    const std::optional<Folder> recordings = openFolder(recordingsDir());
    if (!recordings) return;
    makeRoom(*recordings);
    const std::string stem = formatTime("%Y%m%d-%H%M%S-") + std::to_string(getpid()) + "-";
    for (int n = 1; !file_ && n <= 100; ++n) {
      name_ = stem + std::to_string(n) + std::string(RecordingSuffix);
      file_ = createEntry(*recordings, name_);
    }
    if (file_ && !file_->append(recordingHeader(start))) {
      file_.reset();
      removeEntry(*recordings, name_);  // without its header it would never replay
    }
  } catch (const GameError&) {
    file_.reset();  // a folder the game must not use, or an unreadable file: no recording
  }
  if (!file_) name_.clear();
}

void Recorder::gameEnded(const GameSummary& summary) {
  if (file_) {
    file_->append((summary.signal != 0 ? signalLine(summary.signal) : "") + resultLine(summary));
    file_.reset();
  }
  appendToLog(LogEntry{version_, started_, utcNow(), seed_, summary, name_});
  name_.clear();
}

void Recorder::replace(const std::string& name, const std::string& text) {
  try {
    files_.replace(name, text);
  } catch (const GameError& error) {
    writeFailed(name, error);
    throw;
  }
}

void Recorder::writeFailed(const std::string& name, const GameError& error) {
  if (file_ && !file_->append(failedWriteLine(FailedWrite{name, error.code(), error.what()}))) {
    file_.reset();
  }
}

void Recorder::keyGiven(int key) {
  if (file_ && !file_->append(keyLine(key))) file_.reset();
}

}  // namespace vh
