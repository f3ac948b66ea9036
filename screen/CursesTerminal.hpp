// The terminal the game is played on: the standard curses screen. It keeps a copy of everything
// drawn, so that after a resize it can draw the game again; while the terminal is smaller than
// 80x24 it says so instead of drawing a broken screen, and key presses wait until it is larger.
// Waiting for a key costs nothing: no timer, no wakeup, until a key or a signal comes.
#pragma once

#include <csignal>
#include <optional>
#include <string>

#include "screen/ScreenBuffer.hpp"
#include "screen/Terminal.hpp"

namespace vh {

// Why the game cannot be played where it was started, as one line for the player, or nothing when
// it can: standard input and output must both be a terminal, and TERM must name one that can
// address the cursor. Checked without touching the terminal.
std::optional<std::string> unusableTerminal();

class CursesTerminal final : public Terminal {
 public:
  void start() override;
  void stop() override;
  int colours() const override { return colours_; }
  void definePair(int pair, Colour foreground, bool bright) override;
  void attributesOn(TextAttributes attributes) override;
  void attributesOff(TextAttributes attributes) override;
  void write(int column, int row, std::string_view text) override;
  void clear() override;
  void refresh() override;
  void setCursorVisible(bool visible) override;
  int readKey() override;
  int readKeyWithin(int milliseconds) override;

 private:
  enum class Wake { Input, Signal, Gone, Timeout };

  // A key, or NoKey when a signal came or the deadline (none: wait for ever) passed.
  int nextKey(const timespec* deadline);

  bool fits() const;
  void redrawAll();
  void showTooSmall();
  Wake waitForInput(const timespec* deadline) const;
  void followResize();

  ScreenBuffer shown_;
  bool started_ = false;
  bool cursorVisible_ = true;
  int colours_ = 0;
  sigset_t signalsBefore_{};
  sigset_t signalsInWait_{};
};

}  // namespace vh
