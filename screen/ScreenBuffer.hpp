// An 80x24 grid of characters with the attributes each was written in, filled by the same rules
// as a curses screen: attributes turned on and off, text running on into the next row.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "screen/Terminal.hpp"

namespace vh {

class ScreenBuffer {
 public:
  static constexpr int Columns = 80;
  static constexpr int Rows = 24;

  struct Cell {
    char glyph = ' ';
    TextAttributes attributes{false, 0};
    bool operator==(const Cell&) const = default;
  };

  // Turning a pair on replaces the pair in use; turning a pair off resets it to the default.
  // The other attributes add up, and each goes off on its own.
  void attributesOn(TextAttributes attributes);
  void attributesOff(TextAttributes attributes);
  TextAttributes attributes() const { return attributes_; }

  // Text runs on into the next row and stops at the end of the screen.
  void write(int column, int row, std::string_view text);
  void clear() { cells_ = {}; }
  const Cell& cell(int column, int row) const;
  // One row's characters, trailing blanks kept.
  std::string row(int row) const;

 private:
  TextAttributes attributes_{false, 0};
  std::array<std::array<Cell, Columns>, Rows> cells_{};
};

}  // namespace vh
