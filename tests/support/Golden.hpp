// Golden screens: whole-screen pictures of the virtual terminal kept as text files in
// tests/data/screens. A picture is the 24 rows of text, a line of '~', then 24 rows with a letter
// per cell for its colour: k r g y b m c w (black, red, green, yellow, blue, magenta, cyan, white),
// upper case when bold, a blank for the terminal's default colour ('*' when bold). Trailing blanks
// are left out. A test compares the screen with its picture, line by line.
//
// To regenerate the pictures after a change that is meant to show, run the tests with
// VARDENHOLT_UPDATE_GOLDEN=1 (see tests/data/screens/README) and review the difference in git:
// a regenerated picture is only as right as the review that accepts it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "screen/VirtualTerminal.hpp"
#include "support/TempHome.hpp"

namespace vh::golden {

inline bool updating() {
  const char* update = std::getenv("VARDENHOLT_UPDATE_GOLDEN");
  return update != nullptr && *update != '\0';
}

inline std::string trimmed(std::string row) { return row.erase(row.find_last_not_of(' ') + 1); }

// The picture of what the terminal shows.
inline std::string picture(const VirtualTerminal& terminal) {
  std::string text, styles;
  for (int row = 0; row < VirtualTerminal::Rows; ++row) {
    std::string letters;
    for (int column = 0; column < VirtualTerminal::Columns; ++column) {
      const auto [colour, bold] = terminal.styleAt(column, row);
      const char letter = colour ? "krgybmcw"[static_cast<int>(*colour)] : ' ';
      letters += !bold ? letter : colour ? static_cast<char>(letter - 'a' + 'A') : '*';
    }
    text += trimmed(terminal.row(row)) + "\n";
    styles += trimmed(letters) + "\n";
  }
  return text + std::string(VirtualTerminal::Columns, '~') + "\n" + styles;
}

// Expects the terminal to show the picture of that name, or writes the picture when updating.
inline void expectScreen(const VirtualTerminal& terminal, const std::string& name) {
  const std::string path = std::string(VARDENHOLT_TEST_DATA) + "/screens/" + name + ".txt";
  const std::string shown = picture(terminal);
  if (updating()) {
    writeFile(path, shown);
    std::printf("wrote %s: review it before committing\n", path.c_str());
    return;
  }
  EXPECT_EQ(shown, readFile(path)) << "the screen differs from " << path;
}

}  // namespace vh::golden
