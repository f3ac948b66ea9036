// What the game needs from a terminal, and nothing more: the backends behind the screen layer.
#pragma once

#include <string_view>

#include "screen/Displaydata.hpp"

namespace vh {

// Key codes of the keys the game reads by code rather than by character, as curses numbers them:
// the arrows, the keypad's corner and centre keys, and the keys the keypad sends with NumLock off.
inline constexpr int KeyDown = 0402;
inline constexpr int KeyUp = 0403;
inline constexpr int KeyLeft = 0404;
inline constexpr int KeyRight = 0405;
inline constexpr int KeyHome = 0406;
inline constexpr int KeyNextPage = 0522;
inline constexpr int KeyPreviousPage = 0523;
inline constexpr int KeyA1 = 0534;
inline constexpr int KeyA3 = 0535;
inline constexpr int KeyB2 = 0536;
inline constexpr int KeyC1 = 0537;
inline constexpr int KeyC3 = 0540;
inline constexpr int KeyBegin = 0542;
inline constexpr int KeyEnd = 0550;
inline constexpr int KeyBackspace = 0407;
inline constexpr int KeyEnter = 0527;
// The Escape key; an escape sequence the terminal does not describe arrives as this one key.
inline constexpr int KeyEscape = 033;
// What a key read returns when a signal ended it before any key came.
inline constexpr int NoKey = -1;

// The attributes a curses screen writes with: a colour pair (0 is the default) and the
// attributes that a terminal without colours has as well.
struct TextAttributes {
  bool bold;
  int pair;
  bool underline = false;
  bool reverse = false;
  bool operator==(const TextAttributes&) const = default;
};

class Terminal {
 public:
  virtual ~Terminal() = default;
  // Takes the terminal: key-at-a-time input without echo, colours started, keypad codes on.
  virtual void start() = 0;
  // Gives the terminal back as it was before start().
  virtual void stop() = 0;
  // How many colours the screen shows once started: 0 when it shows none.
  virtual int colours() const = 0;
  // Defines a colour pair as the given foreground, or its bright variant, on black.
  virtual void definePair(int pair, Colour foreground, bool bright) = 0;
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
  // As readKey, but gives up after that many milliseconds with NoKey.
  virtual int readKeyWithin(int milliseconds) = 0;
};

}  // namespace vh
