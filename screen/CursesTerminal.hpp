// The terminal the game is played on: the standard curses screen. It keeps a copy of everything
// drawn, so that after a resize it can draw the game again; while the terminal is smaller than
// 80x24 it says so instead of drawing a broken screen, and key presses wait until it is larger.
#pragma once

#include "screen/ScreenBuffer.hpp"
#include "screen/Terminal.hpp"

namespace vh {

class CursesTerminal final : public Terminal {
 public:
  void start() override;
  void stop() override;
  bool hasColours() const override;
  void definePair(int pair, Colour foreground) override;
  void attributesOn(TextAttributes attributes) override;
  void attributesOff(TextAttributes attributes) override;
  void write(int column, int row, std::string_view text) override;
  void clear() override;
  void refresh() override;
  void setCursorVisible(bool visible) override;
  int readKey() override;

 private:
  bool fits() const;
  void redrawAll();
  void showTooSmall();

  ScreenBuffer shown_;
  bool started_ = false;
  bool cursorVisible_ = true;
};

}  // namespace vh
