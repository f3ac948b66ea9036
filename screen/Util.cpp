#include "screen/Util.hpp"

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

}  // namespace vh
