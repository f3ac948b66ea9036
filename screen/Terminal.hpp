// What the game needs from a terminal, and nothing more: the backends behind the screen layer.
#pragma once

#include <string_view>

#include "screen/Displaydata.hpp"

namespace vh {

// Key codes of the keys the game reads by code rather than by character, as curses numbers them.
inline constexpr int KeyDown = 0402;
inline constexpr int KeyUp = 0403;
inline constexpr int KeyLeft = 0404;
inline constexpr int KeyRight = 0405;
// What a key read returns when a signal ended it before any key came.
inline constexpr int NoKey = -1;

// The attributes a curses screen writes with: bold or not, and a colour pair (0 is the default).
struct TextAttributes {
  bool bold;
  int pair;
};

class Terminal {
 public:
  virtual ~Terminal() = default;
  // Takes the terminal: key-at-a-time input without echo, colours started, keypad codes on.
  virtual void start() = 0;
  // Gives the terminal back as it was before start().
  virtual void stop() = 0;
  virtual bool hasColours() const = 0;
  // Defines a colour pair as the given foreground on black.
  virtual void definePair(int pair, Colour foreground) = 0;
  // Turns attributes on and off with the rules of curses: turning a pair on replaces the pair
  // in use, turning a pair off resets the pair to the default.
  virtual void attributesOn(TextAttributes attributes) = 0;
  virtual void attributesOff(TextAttributes attributes) = 0;
  // Writes printable text from a 0-based cell on, in the attributes currently on.
  virtual void write(int column, int row, std::string_view text) = 0;
  virtual void clear() = 0;
  virtual void refresh() = 0;
  virtual void setCursorVisible(bool visible) = 0;
  // Blocks until a key is pressed and returns its full code, or NoKey once a termination
  // signal has been received (see Signals.hpp).
  virtual int readKey() = 0;
};

}  // namespace vh
