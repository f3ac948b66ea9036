// An in-memory 80x24 terminal with a scripted keyboard, for driving the game without a screen. It
// shows 8 colours, or as many as it is made with: 0 for a terminal without colours.
#pragma once

#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "screen/ScreenBuffer.hpp"
#include "screen/Terminal.hpp"

namespace vh {

// Raised when the game asks for a key after the script has run out, so a test fails instead of
// waiting forever.
class KeyScriptExhausted : public std::logic_error {
 public:
  KeyScriptExhausted() : std::logic_error("the virtual terminal ran out of scripted keys") {}
};

class VirtualTerminal final : public Terminal {
 public:
  static constexpr int Columns = ScreenBuffer::Columns;
  static constexpr int Rows = ScreenBuffer::Rows;

  // How one cell was written: its colour (none for the terminal's default) and boldness.
  struct Style {
    std::optional<Colour> colour;
    bool bold;
    bool operator==(const Style&) const = default;
  };

  explicit VirtualTerminal(int colours = 8) : colours_(colours) {}

  // Queues keys for the game to read, in order.
  void pressKeys(std::string_view keys);
  void pressKey(int code);
  // Queues a signal that arrives while the game waits for that key: it is recorded as the
  // handler would, and the read returns without a key, as an interrupted curses read does.
  void sendSignal(int signal);
  std::size_t keysLeft() const { return keys_.size(); }
  // Asks `source` for every key once the queued ones are used up, for play without an end.
  void whenOutOfKeys(std::function<int()> source) { source_ = std::move(source); }

  // One screen row as text, trailing blanks kept; the whole screen as rows joined by '\n'.
  std::string row(int row) const;
  std::string toString() const;
  char charAt(int column, int row) const;
  Style styleAt(int column, int row) const;
  // The attributes a cell was written in, and the number of the terminal colour its pair draws
  // it in (8 to 15 for the bright colours; none for the default).
  TextAttributes attributesAt(int column, int row) const;
  std::optional<int> foregroundAt(int column, int row) const;

  bool started() const { return started_; }
  bool cursorVisible() const { return cursorVisible_; }
  int refreshes() const { return refreshes_; }
  TextAttributes attributes() const { return screen_.attributes(); }

  void start() override;
  void stop() override;
  int colours() const override { return colours_; }
  void definePair(int pair, Colour foreground, bool bright) override;
  void attributesOn(TextAttributes attributes) override { screen_.attributesOn(attributes); }
  void attributesOff(TextAttributes attributes) override { screen_.attributesOff(attributes); }
  void write(int column, int row, std::string_view text) override {
    screen_.write(column, row, text);
  }
  void clear() override { screen_.clear(); }
  void refresh() override { ++refreshes_; }
  void setCursorVisible(bool visible) override { cursorVisible_ = visible; }
  int readKey() override;
  // The next scripted key at once, or NoKey when none is left: then the wait passes on the
  // terminal's own clock, which only such waits move.
  int readKeyWithin(int milliseconds) override;
  std::chrono::milliseconds waited() const { return waited_; }

 private:
  struct PairColour {
    Colour foreground;
    bool bright;
  };

  std::optional<PairColour> pairOf(const ScreenBuffer::Cell& cell) const;

  int colours_;
  bool started_ = false;
  bool cursorVisible_ = true;
  int refreshes_ = 0;
  std::array<std::optional<PairColour>, 256> pairs_{};
  ScreenBuffer screen_;
  struct Event {
    int key;
    int signal;  // 0 for a key press
  };
  std::deque<Event> keys_;
  std::function<int()> source_;
  std::chrono::milliseconds waited_{0};
};

}  // namespace vh
