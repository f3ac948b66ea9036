// The keys of a browser's keyboard as the game reads them: the codes a terminal's keys arrive
// with through curses, so that everything after the key read is the terminal's own.
#pragma once

#include <optional>
#include <string_view>

namespace vh {

// A key press as the page sees it: the value it types (KeyboardEvent.key), the physical key
// (KeyboardEvent.code), and the modifiers that make it a shortcut of the browser.
struct KeyPress {
  std::string_view key;
  std::string_view code;
  bool control = false;
  bool alt = false;
  bool meta = false;
  bool altGraph = false;  // the key that types a keyboard's third characters
};

// The code the key press stands for, or none when it is not the game's: a modifier alone, a
// browser shortcut, a function key. The numeric keypad is read by its physical keys, so it types
// its digits whether NumLock is on or off; the arrows and the keys above them arrive as the
// curses codes that the game turns into digits.
std::optional<int> keyCodeOf(const KeyPress& press);

}  // namespace vh
