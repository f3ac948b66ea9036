// Prints the screen that the game shows in the virtual terminal for a seed and the keys pressed,
// as JSON, for the browser test to compare the page with cell for cell. The game's files are the
// ones under HOME, as for the real game.
//
//   web_screen_dump SEED [KEY,KEY,...]      keys as decimal codes, as a recording lists them
//
// Output: {"rows": [24 strings of 80 characters], "foreground": [24 rows of 80 colour numbers, 0
// to 15, or null for the terminal's default], "bold": [24 rows of 80 booleans]}
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"

namespace {

// The text as a JSON string; the screen holds only printable ASCII.
std::string quoted(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') json += '\\';
    json += c;
  }
  return json + '"';
}

std::string json(const vh::VirtualTerminal& terminal) {
  using Terminal = vh::VirtualTerminal;
  std::string rows, foreground, bold;
  for (int row = 0; row < Terminal::Rows; ++row) {
    const char* separator = row > 0 ? "," : "";
    rows += separator + quoted(terminal.row(row));
    foreground += std::string(separator) + "[";
    bold += std::string(separator) + "[";
    for (int column = 0; column < Terminal::Columns; ++column) {
      const char* between = column > 0 ? "," : "";
      const std::optional<int> colour = terminal.foregroundAt(column, row);
      foreground += between + (colour ? std::to_string(*colour) : "null");
      bold += between + std::string(terminal.attributesAt(column, row).bold ? "true" : "false");
    }
    foreground += "]";
    bold += "]";
  }
  return "{\"rows\":[" + rows + "],\"foreground\":[" + foreground + "],\"bold\":[" + bold + "]}\n";
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2 || argc > 3) {
    std::fputs("usage: web_screen_dump SEED [KEY,KEY,...]\n", stderr);
    return 2;
  }
  // The page shows sixteen colours, so its dark grey is bright black.
  vh::VirtualTerminal terminal(16);
  std::istringstream keys(argc == 3 ? argv[2] : "");
  for (std::string key; std::getline(keys, key, ',');) terminal.pressKey(std::stoi(key));
  vh::lfSrand(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)));
  vh::useTerminal(terminal);
  try {
    vh::runVardenholt();
  } catch (const vh::KeyScriptExhausted&) {
    // The screen as the game left it, waiting for the next key.
  }
  std::fputs(json(terminal).c_str(), stdout);
  return 0;
}
