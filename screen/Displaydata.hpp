// The look of one character cell: the colours, attributes and glyph that terrains and pieces carry.
#pragma once

namespace vh {

// The eight named colours, numbered as the terminal numbers them.
enum class Colour { Black, Red, Green, Yellow, Blue, Magenta, Cyan, White };

enum class Attribute { Bold, Normal };

// What anything occupying one cell of the screen shows.
struct Screencell {
  char glyph;
  Colour colour;
  Attribute attribute;

  bool operator==(const Screencell&) const = default;
};

}  // namespace vh
