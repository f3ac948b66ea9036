#include <gtest/gtest.h>

#include <string>

#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh {
namespace {

using Style = VirtualTerminal::Style;

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

TEST(ScreenColours, EachColourHasItsPairAndNormalTextKeepsEarlierAttributes) {
  VirtualTerminal terminal;
  useTerminal(terminal);
  startScreen();
  for (int n = 0; n <= 7; ++n) {
    printAtColour(n, 0, "x", static_cast<Colour>(n), Attribute::Normal);
    EXPECT_EQ(terminal.styleAt(n, 0), (Style{static_cast<Colour>(n), false})) << n;
    EXPECT_EQ(getNumberColour(getColourNumber(static_cast<Colour>(n))), static_cast<Colour>(n));
  }
  printAtColour(0, 1, "K", Colour::Black, Attribute::Bold);
  EXPECT_EQ(terminal.styleAt(0, 1), (Style{Colour::Black, true}));
  EXPECT_EQ(getColourNumber(Colour::Black), 8);
  EXPECT_EQ(getNumberColour(0), Colour::Black);
  // Normal text leaves attributes turned on earlier as they were.
  terminal.attributesOn(TextAttributes{true, 0});
  printAtColour(0, 0, "x", Colour::Red, Attribute::Normal);
  EXPECT_TRUE(terminal.attributes().bold);
  EXPECT_EQ(terminal.attributes().pair, 0);
}

TEST(ScreenColours, MonochromeTerminalGetsPlainTextInPlaceAndNoPairs) {
  VirtualTerminal terminal(false);
  useTerminal(terminal);
  startScreen();
  printAtColour(3, 2, "Queen", Colour::Magenta, Attribute::Bold);
  EXPECT_EQ(terminal.row(2), blanks(3) + "Queen" + blanks(72));
  EXPECT_EQ(terminal.styleAt(3, 2), (Style{std::nullopt, false}));
  terminal.attributesOn(TextAttributes{false, 3});
  printAt(0, 0, "x");
  EXPECT_EQ(terminal.styleAt(0, 0).colour, std::nullopt);
}

TEST(ScreenText, ControlBytesShowAsQuestionMarksAndTextWrapsLikeCurses) {
  VirtualTerminal terminal;
  useTerminal(terminal);
  printAt(0, 0, std::string("a\x1b[2Jb\x7f\xe9\n~", 10));
  EXPECT_EQ(terminal.row(0), "a?[2Jb???~" + blanks(70));
  printAt(77, 4, "abcde");
  EXPECT_EQ(terminal.row(4), blanks(77) + "abc");
  EXPECT_EQ(terminal.row(5), "de" + blanks(78));
  printAt(78, 23, "wxyz");  // nothing runs past the last cell
  EXPECT_EQ(terminal.row(23), blanks(78) + "wx");
  EXPECT_EQ(terminal.row(0), "a?[2Jb???~" + blanks(70));
}

TEST(ScreenKeys, ArrowsBecomeDigitsAndEveryOtherCodeIsUnchanged) {
  VirtualTerminal terminal;
  useTerminal(terminal);
  for (const int code : {KeyLeft, KeyRight, KeyUp, KeyDown}) terminal.pressKey(code);
  terminal.pressKeys("4\x02\x03\x04\x05");
  constexpr int KeyA1 = 0534, KeyF1 = 0411;  // their low bytes are '\\' and a tab
  terminal.pressKey(KeyA1);
  terminal.pressKey(KeyF1);
  const int expected[] = {'4', '6', '8', '2', '4', 2, 3, 4, 5, KeyA1, KeyF1};
  for (const int key : expected) EXPECT_EQ(readChar(), key);
  EXPECT_THROW(readChar(), KeyScriptExhausted);
  EXPECT_THROW(waitChar(), KeyScriptExhausted);
}

}  // namespace
}  // namespace vh
