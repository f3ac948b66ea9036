// Records every game of a run into the folder "recordings" beside the saved game, and logs each
// game that ends. It stands between the game and its files, and the driver tells it each key it
// gives the game: every key and every write that fails during a game is written down at once, so
// a crash keeps the game so far. Nothing that goes wrong with the recording or the log ever
// reaches the game: recording just stops.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "main/Vardenholt.hpp"
#include "save/Folder.hpp"
#include "save/Store.hpp"
#include "screen/Util.hpp"

namespace vh {

// What a recording's file name ends in.
inline constexpr std::string_view RecordingSuffix = ".vhr";

// The most recordings kept; those written longest ago go first.
inline constexpr std::size_t KeptRecordings = 200;

class Recorder final : public Store {
 public:
  // For a run whose generator was seeded with `seed`, which gives the start of its first game
  // alone, and only when that game is a new one.
  Recorder(Store& files, std::string version, unsigned seed)
      : files_(files), version_(std::move(version)), runSeed_(seed) {}

  // Begins a recording: call as a game begins, before its first area is built.
  void gameStarted();
  // Ends the recording with the game's result and logs the game.
  void gameEnded(const GameSummary& summary);
  // Records a key given to the game.
  void keyGiven(int key);
  // Records a write of one of the game's files that failed.
  void writeFailed(const std::string& name, const GameError& error);

  bool holds(const std::string& name) override { return files_.holds(name); }
  std::string read(const std::string& name, std::size_t maxSize) override {
    return files_.read(name, maxSize);
  }
  void replace(const std::string& name, const std::string& text) override;
  void remove(const std::string& name) override { files_.remove(name); }

 private:
  Store& files_;
  std::string version_;
  unsigned runSeed_;
  bool firstGame_ = true;
  std::optional<unsigned> seed_;  // of the game in play, when its seed gives its start
  std::string started_;
  std::string name_;  // of the recording in progress
  std::optional<AppendFile> file_;
};

// The folder of the recordings, beside the saved game, ending in '/'.
std::string recordingsDir();

// Now, in UTC, as 2026-12-07T01:23:45Z.
std::string utcNow();

}  // namespace vh
