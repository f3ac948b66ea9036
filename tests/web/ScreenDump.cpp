// Prints the screen that the game shows in the virtual terminal for a seed and the keys pressed,
// as JSON, for the browser test to compare the page with cell for cell. The game's files are the
// ones under HOME, as for the real game.
//
//   web_screen_dump SEED [KEY,KEY,...]      keys as decimal codes, as a recording lists them
//   web_screen_dump --replay FILE [MOMENT]  a recording replayed to that moment, or its end
//
// Output: {"rows": [24 strings of 80 characters], "foreground": [24 rows of 80 colour numbers, 0
// to 15, or null for the terminal's default], "bold": [24 rows of 80 booleans]}
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "record/Replay.hpp"
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

// The screen of a plain replay after `moment` keys, or at its end.
std::string replayed(const char* path, long moment) {
  vh::VirtualTerminal terminal(16);
  std::string shown;
  long keys = 0;
  vh::replayGame(vh::loadRecording(path), terminal, [&] {
    if (keys++ == moment) shown = json(terminal);
  });
  return shown.empty() ? json(terminal) : shown;
}

int main(int argc, char* argv[]) {
  if (argc >= 3 && argc <= 4 && std::string(argv[1]) == "--replay") {
    std::fputs(replayed(argv[2], argc == 4 ? std::strtol(argv[3], nullptr, 10) : -1).c_str(), stdout);
    return 0;
  }
  if (argc < 2 || argc > 3) {
    std::fputs("usage: web_screen_dump SEED [KEY,KEY,...] | --replay FILE [MOMENT]\n", stderr);
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
