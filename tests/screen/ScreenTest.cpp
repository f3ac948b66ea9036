#include <gtest/gtest.h>

#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"

using namespace vh;
using Style = VirtualTerminal::Style;

TEST(Screen, ColoursUseTheirPairsNormalKeepsEarlierAttributesAndMonochromeIsPlain) {
  VirtualTerminal terminal, monochrome(false);
  useTerminal(terminal);
  startScreen();
  for (int n = 0; n <= 7; ++n) {  // Black, bold here, has pair 8
    printAtColour(n, 0, "x", static_cast<Colour>(n), n % 2 ? Attribute::Normal : Attribute::Bold);
    EXPECT_EQ(terminal.styleAt(n, 0), (Style{static_cast<Colour>(n), n % 2 == 0})) << n;
  }
  terminal.attributesOn(TextAttributes{true, 0});
  printAtColour(0, 1, "x", Colour::Red, Attribute::Normal);
  EXPECT_TRUE(terminal.attributes().bold && terminal.attributes().pair == 0) << "bold stays on";
  useTerminal(monochrome);
  startScreen();
  printAtColour(0, 0, "a\x1b[2Jb\x7f", Colour::Magenta, Attribute::Bold);  // no raw control bytes
  EXPECT_EQ(monochrome.row(0), "a?[2Jb?" + std::string(73, ' '));
  EXPECT_EQ(monochrome.styleAt(0, 0), (Style{std::nullopt, false}));
}

TEST(Screen, ArrowsBecomeDigitsAndEveryOtherCodeIsUnchanged) {
  VirtualTerminal terminal;
  useTerminal(terminal);
  const int pressed[] = {KeyLeft, KeyRight, KeyUp, KeyDown, 2, 3, 4, 5, 0534, 0411};  // A1, F1
  const int read[] = {'4', '6', '8', '2', 2, 3, 4, 5, 0534, 0411};  // low bytes '\\' and tab
  for (const int code : pressed) terminal.pressKey(code);
  for (const int key : read) EXPECT_EQ(readChar(), key);
  EXPECT_THROW(readChar(), KeyScriptExhausted);
}
