#include <gtest/gtest.h>

#include <optional>

#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"
#include "web/WebKeys.hpp"

using namespace vh;

namespace {

// What the game reads for a browser's key press, once the terminal's translation of the arrows
// and the keypad's codes has been through; none for a key the page leaves to the browser.
std::optional<int> gameReads(const KeyPress& press) {
  const std::optional<int> code = keyCodeOf(press);
  if (!code) return std::nullopt;
  VirtualTerminal terminal;
  useTerminal(terminal);
  terminal.pressKey(*code);
  return keypadDigit(readKey());
}

}  // namespace

TEST(WebKeys, KeysMeanWhatTheyMeanInATerminal) {
  struct Case {
    KeyPress press;
    std::optional<int> read;
  };
  const Case cases[] = {
      {{"h", "KeyH"}, 'h'},
      {{"S", "KeyS"}, 'S'},
      {{" ", "Space"}, ' '},
      {{"?", "Slash"}, '?'},
      {{"Enter", "Enter"}, '\n'},
      {{"Tab", "Tab"}, '\t'},
      {{"Escape", "Escape"}, KeyEscape},
      // The arrows and the keys above them, as the keypad's digits.
      {{"ArrowLeft", "ArrowLeft"}, '4'},
      {{"ArrowUp", "ArrowUp"}, '8'},
      {{"Home", "Home"}, '7'},
      {{"PageDown", "PageDown"}, '3'},
      // The keypad by its physical keys, with NumLock on and off.
      {{"7", "Numpad7"}, '7'},
      {{"Home", "Numpad7"}, '7'},
      {{"Insert", "Numpad0"}, '0'},
      {{"ArrowRight", "Numpad6"}, '6'},
      {{"Clear", "Numpad5"}, '5'},
      {{"Delete", "NumpadDecimal"}, '.'},
      {{"Enter", "NumpadEnter"}, '\n'},
      {{"+", "NumpadAdd"}, '+'},
      // A third character of the keyboard is typed, a character beyond ASCII is one unknown key.
      {{"@", "KeyQ", true, true, false, true}, '@'},
      {{"\xc3\xa9", "Digit2"}, KeyEscape},
      // Modifiers alone, shortcuts and function keys stay the browser's.
      {{"Shift", "ShiftLeft"}, std::nullopt},
      {{"r", "KeyR", true}, std::nullopt},
      {{"l", "KeyL", false, true}, std::nullopt},
      {{"7", "Numpad7", false, false, true}, std::nullopt},
      {{"F5", "F5"}, std::nullopt},
      {{"Dead", "BracketLeft"}, std::nullopt},
      {{"", ""}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(gameReads(c.press), c.read) << c.press.key << " " << c.press.code;
  }
}
