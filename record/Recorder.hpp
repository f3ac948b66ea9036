// Records every game of a run into the folder "recordings" beside the saved game, and logs each
// game that ends. It stands between the game and the real terminal, and between the game and its
// files: everything passes through, and every key read and every write that fails during a game
// is written down at once, so a crash keeps the game so far. Nothing that goes wrong with the
// recording or the log ever reaches the game: recording just stops.
#pragma once

#include <optional>
#include <string>

#include "main/Vardenholt.hpp"
#include "save/Folder.hpp"
#include "save/Store.hpp"
#include "screen/Terminal.hpp"

namespace vh {

// The most recordings kept; those written longest ago go first.
inline constexpr std::size_t KeptRecordings = 200;

class Recorder final : public Terminal, public Store {
 public:
  // For a run whose generator was seeded with `seed`, which gives the start of its first game
  // alone, and only when that game is a new one.
  Recorder(Terminal& inner, Store& files, std::string version, unsigned seed)
      : inner_(inner), files_(files), version_(std::move(version)), runSeed_(seed) {}

  // Begins a recording: call as a game begins, before its first area is built.
  void gameStarted();
  // Ends the recording with the game's result and logs the game.
  void gameEnded(const GameSummary& summary);

  void start() override { inner_.start(); }
  void stop() override { inner_.stop(); }
  int colours() const override { return inner_.colours(); }
  void definePair(int pair, Colour foreground, bool bright) override {
    inner_.definePair(pair, foreground, bright);
  }
  void attributesOn(TextAttributes attributes) override { inner_.attributesOn(attributes); }
  void attributesOff(TextAttributes attributes) override { inner_.attributesOff(attributes); }
  void write(int column, int row, std::string_view text) override {
    inner_.write(column, row, text);
  }
  void clear() override { inner_.clear(); }
  void refresh() override { inner_.refresh(); }
  void setCursorVisible(bool visible) override { inner_.setCursorVisible(visible); }
  int readKey() override;
  // Keys read against the clock are not the game's: they are not recorded.
  int readKeyWithin(int milliseconds) override { return inner_.readKeyWithin(milliseconds); }

  bool holds(const std::string& name) override { return files_.holds(name); }
  std::string read(const std::string& name, std::size_t maxSize) override {
    return files_.read(name, maxSize);
  }
  void replace(const std::string& name, const std::string& text) override;
  void remove(const std::string& name) override { files_.remove(name); }

 private:
  Terminal& inner_;
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
