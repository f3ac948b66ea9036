// The terminal the game is played on: the standard curses screen.
#pragma once

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
};

}  // namespace vh
