#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

#include "player/Panel.hpp"
#include "player/Redraw.hpp"
#include "screen/Screen.hpp"
#include "screen/Util.hpp"
#include "screen/VirtualTerminal.hpp"

using namespace vh;
using Style = VirtualTerminal::Style;

TEST(Screen, ColoursUseTheirPairsNormalKeepsEarlierAttributesAndMonochromeIsPlain) {
  VirtualTerminal terminal, monochrome(0);
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
  printAtColour(0, 0, "a\x1b[2Jb\x7f~", Colour::Magenta, Attribute::Bold);  // no raw control bytes
  EXPECT_EQ(monochrome.row(0), "a?[2Jb?~" + std::string(72, ' '));
  EXPECT_EQ(monochrome.styleAt(0, 0), (Style{std::nullopt, false}));
}

// Dark grey is bold black: drawn in bright black where the terminal has the bright colours,
// since only some terminals brighten bold; nothing else changes with the number of colours.
TEST(Screen, DarkGreyIsBrightBlackOnlyWithSixteenColoursOrMore) {
  for (const int colours : {8, 16, 256}) {
    VirtualTerminal terminal(colours);
    useTerminal(terminal);
    startScreen();
    printAtColour(0, 0, "K", Colour::Black, Attribute::Bold);
    printAtColour(1, 0, "w", Colour::White, Attribute::Bold);
    EXPECT_EQ(terminal.styleAt(0, 0), (Style{Colour::Black, true})) << colours;
    EXPECT_EQ(terminal.foregroundAt(0, 0), colours >= 16 ? 8 : 0) << colours;
    EXPECT_EQ(terminal.foregroundAt(1, 0), 7) << colours;
  }
}

// Without colours every colour of the keypad's legend is its own mix of bold, underline and
// reverse on the key's own cell, and the help screen's legend names each mix truly; with colours
// the keys and the legend are as ever.
TEST(Screen, WithoutColoursTheKeypadTellsItsKeysApartAndTheHelpNamesHow) {
  const std::pair<KeyColour, std::string> meanings[] = {
      {KeyColour::WaitInPlace, "wait without moving"},
      {KeyColour::MoveAndCapture, "move and capture"},
      {KeyColour::MoveOnly, "move but not capture"},
      {KeyColour::CaptureOnly, "capture but not move"},
      {KeyColour::Jumping, "capture or move by jumping"},
      {KeyColour::Sweeping, "capture or move and capture any"},
      {KeyColour::SweepingJumping, "capture or move, capture any"}};
  VirtualTerminal monochrome(0), colour;
  std::vector<TextAttributes> keys;
  for (VirtualTerminal* terminal : {&colour, &monochrome}) {
    useTerminal(*terminal);
    startScreen();
    for (const auto& [keyColour, meaning] : meanings) {
      showKeys(KeyGroup::Wait, keyColour);
      EXPECT_EQ(terminal->attributes(), (TextAttributes{false, 0})) << "nothing stays on";
      EXPECT_NE(terminal->styleAt(73, 15).colour.has_value(), terminal == &monochrome);
      keys.push_back(terminal->attributesAt(73, 15));
    }
    terminal->pressKey(' ');
    showHelp();
  }
  std::set<std::tuple<bool, bool, bool>> mixes;
  for (std::size_t i = 0; i < std::size(meanings); ++i) {
    const std::string& meaning = meanings[i].second;
    SCOPED_TRACE(meaning);
    EXPECT_FALSE(keys[i].underline || keys[i].reverse) << "with colours";
    const TextAttributes key = keys[std::size(meanings) + i];
    mixes.insert({key.bold, key.underline, key.reverse});
    int row = 7;
    while (row < 14 && monochrome.row(row).find(": " + meaning) == std::string::npos) ++row;
    const std::string name = monochrome.row(row).substr(0, monochrome.row(row).find(':'));
    EXPECT_EQ(name.find("old") != std::string::npos, key.bold) << name;
    EXPECT_EQ(name.find("nderline") != std::string::npos, key.underline) << name;
    EXPECT_EQ(name.find("everse") != std::string::npos, key.reverse) << name;
    EXPECT_EQ(name.find("Plain") != std::string::npos, !key.bold && !key.underline && !key.reverse);
  }
  EXPECT_EQ(mixes.size(), std::size(meanings));
  EXPECT_EQ(monochrome.row(6).substr(0, 40), "  The keypad is shown in various styles,");
  EXPECT_EQ(monochrome.row(14).substr(0, 53),
            std::string(21, ' ') + "and jump over water if necessary");
  EXPECT_EQ(colour.row(7), "   Dark grey: wait without moving" + std::string(47, ' '));
  for (int row = 0; row < VirtualTerminal::Rows; ++row) {
    EXPECT_EQ(monochrome.row(row).substr(0, 2), "  ") << "nothing ran over from row " << row - 1;
  }
}

// Long error lines wrap where a reader expects: after a blank or a folder's slash.
TEST(Util, WrapTextBreaksAfterBlanksAndSlashesAndDropsWhatDoesNotFit) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(wrapText("1: File Error: /home/a/.vh/x.sav", 20, 2),
            (Lines{"1: File Error: /", "home/a/.vh/x.sav"}));
  EXPECT_EQ(wrapText("/a/very/long/path/name", 8, 3), (Lines{"/a/very/", "long/", "path/"}));
  EXPECT_EQ(wrapText("abcdefghij", 4, 2), (Lines{"abcd", "efgh"}));
  EXPECT_EQ(wrapText("short", 80, 2), (Lines{"short"}));
  EXPECT_EQ(wrapText("", 80, 2), Lines{});
  EXPECT_EQ(wrapText("no room", 0, 2), Lines{});
  // An error line fills at most three screen rows, and says when it was cut.
  const std::string fits = errorLine(GameError(std::string(237, 'e'), 1));
  EXPECT_EQ(fits, "1: " + std::string(237, 'e'));
  const std::string cut = errorLine(GameError(std::string(238, 'e'), 1));
  EXPECT_EQ(cut, "1: " + std::string(234, 'e') + "...");
}
