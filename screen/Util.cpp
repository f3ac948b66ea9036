#include "screen/Util.hpp"

#include <algorithm>

namespace vh {

std::vector<int> looprange(int a, int b) {
  std::vector<int> values;
  const int step = b < a ? -1 : 1;
  for (int value = a;; value += step) {
    values.push_back(value);
    if (value == b) break;
  }
  return values;
}

int roundDown(int x, int n) { return x - x % n; }

int sign(int x) { return (x > 0) - (x < 0); }

std::string printableText(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    if (c < ' ' || c > '~') c = '?';
  }
  return shown;
}

std::string strRepeat(char character, int n) {
  return n <= 0 ? std::string() : std::string(static_cast<std::size_t>(n), character);
}

std::string errorLine(const GameError& error) {
  // Long enough for any message the game makes, short enough for three screen rows.
  constexpr std::size_t MaxErrorLine = 3 * 80;
  std::string line = printableText(std::to_string(error.code()) + ": " + error.what());
  if (line.size() > MaxErrorLine) line = line.substr(0, MaxErrorLine - 3) + "...";
  return line;
}

std::vector<std::string> wrapText(std::string_view text, std::size_t width, std::size_t lines) {
  std::vector<std::string> wrapped;
  while (!text.empty() && wrapped.size() < lines && width > 0) {
    std::size_t cut = std::min(width, text.size());
    if (cut < text.size()) {
      const std::size_t breakAfter = text.substr(0, cut).find_last_of(" /");
      if (breakAfter != std::string_view::npos) cut = breakAfter + 1;
    }
    wrapped.emplace_back(text.substr(0, cut));
    text.remove_prefix(cut);
  }
  return wrapped;
}

}  // namespace vh
