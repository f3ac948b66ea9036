// Golden screens: whole-screen pictures of the virtual terminal kept as text files in
// tests/data/screens. A picture is the 24 rows of text, a line of '~', then 24 rows with a letter
// per cell for its colour: k r g y b m c w (black, red, green, yellow, blue, magenta, cyan, white),
// upper case when bold, a blank for the terminal's default colour ('*' when bold). Trailing blanks
// are left out. A test compares the screen with its picture and names every cell that differs.
//
// To regenerate the pictures after a change that is meant to show, run the tests with
// VARDENHOLT_UPDATE_GOLDEN=1 (see tests/data/screens/README) and review the difference in git:
// a regenerated picture is only as right as the review that accepts it.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

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

// A picture's rows padded to full width: the text rows, then the style rows.
inline std::vector<std::string> cells(const std::string& picture) {
  constexpr int Rows = VirtualTerminal::Rows, Columns = VirtualTerminal::Columns;
  std::vector<std::string> rows;
  std::istringstream in(picture);
  for (std::string row; std::getline(in, row);) rows.push_back(row);
  if (rows.size() > Rows) rows.erase(rows.begin() + Rows);  // the line of '~'
  rows.resize(2 * Rows);
  for (std::string& row : rows) row.resize(Columns, ' ');
  return rows;
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
  const std::vector<std::string> want = cells(readFile(path)), got = cells(shown);
  std::ostringstream differences;
  int count = 0;
  for (int row = 0; row < VirtualTerminal::Rows; ++row) {
    for (int column = 0; column < VirtualTerminal::Columns; ++column) {
      const auto cell = [&](const std::vector<std::string>& rows) {
        const char style = rows[row + VirtualTerminal::Rows][column];
        const char* names[] = {"default", "black",   "red",  "green", "yellow",
                               "blue",    "magenta", "cyan", "white"};
        const std::size_t colour = std::string_view(" krgybmcw").find(std::tolower(style));
        return std::string{'\'', rows[row][column], '\'', ' '} +
               (std::isupper(style) || style == '*' ? "bold " : "") +
               (colour < 9 ? names[colour] : "default");
      };
      if (cell(want) == cell(got)) continue;
      if (++count <= 20)
        differences << "\n  row " << row << ", column " << column << ": expected " << cell(want)
                    << ", shown " << cell(got);
    }
  }
  EXPECT_EQ(count, 0) << "the screen differs from " << path << " in " << count << " cells"
                      << differences.str() << "\nthe screen shown:\n"
                      << shown;
}

}  // namespace vh::golden
