// Records every game of a run into the folder "recordings" beside the saved game, and logs each
// game that ends. It stands between the game and the real terminal: everything passes through,
// and every key read during a game is written down at once, so a crash keeps the keys so far.
// Nothing that goes wrong with these files ever reaches the game: recording just stops.
#pragma once

#include <optional>
#include <string>

#include "main/Vardenholt.hpp"
#include "save/Folder.hpp"
#include "screen/Terminal.hpp"

namespace vh {

// The most recordings kept; those written longest ago go first.
inline constexpr std::size_t KeptRecordings = 200;

class Recorder final : public Terminal {
 public:
  Recorder(Terminal& inner, std::string version, unsigned seed)
      : inner_(inner), version_(std::move(version)), seed_(seed) {}

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

 private:
  Terminal& inner_;
  std::string version_;
  unsigned seed_;
  std::string started_;
  std::string name_;  // of the recording in progress
  std::optional<AppendFile> file_;
};

// The folder of the recordings, beside the saved game, ending in '/'.
std::string recordingsDir();

// Now, in UTC, as 2026-12-07T01:23:45Z.
std::string utcNow();

}  // namespace vh
