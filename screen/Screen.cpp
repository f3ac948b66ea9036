#include "screen/Screen.hpp"

#include <array>
#include <cassert>
#include <string>

#include "screen/Signals.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

Terminal* current = nullptr;

Terminal& terminal() {
  assert(current != nullptr && "useTerminal() must be called before drawing");
  return *current;
}

constexpr std::array<Colour, 8> pairColours = {Colour::Red,   Colour::Green,   Colour::Yellow,
                                               Colour::Blue,  Colour::Magenta, Colour::Cyan,
                                               Colour::White, Colour::Black};

}  // namespace

void useTerminal(Terminal& terminal) { current = &terminal; }

void startScreen() {
  terminal().start();
  if (!terminal().hasColours()) return;
  for (std::size_t i = 0; i < pairColours.size(); ++i) {
    terminal().definePair(static_cast<int>(i) + 1, pairColours[i]);
  }
}

void endScreen() { terminal().stop(); }

void updateScreen() { terminal().refresh(); }

void clearScreen() { terminal().clear(); }

void printAt(int column, int row, std::string_view text) {
  // Only printable ASCII reaches the terminal, whatever a damaged file held.
  terminal().write(column, row, printableText(text));
}

void printAtColour(int column, int row, std::string_view text, Colour colour, Attribute attribute) {
  if (!terminal().hasColours()) {
    printAt(column, row, text);
    return;
  }
  const TextAttributes attributes{attribute == Attribute::Bold, getColourNumber(colour)};
  terminal().attributesOn(attributes);
  printAt(column, row, text);
  terminal().attributesOff(attributes);
}

int getColourNumber(Colour colour) {
  return colour == Colour::Black ? 8 : static_cast<int>(colour);
}

Colour getNumberColour(int n) {
  constexpr std::array<Colour, 9> colours = {Colour::Black,  Colour::Red,   Colour::Green,
                                             Colour::Yellow, Colour::Blue,  Colour::Magenta,
                                             Colour::Cyan,   Colour::White, Colour::Black};
  return colours.at(static_cast<std::size_t>(n));
}

void hideCursor() { terminal().setCursorVisible(false); }

void showCursor() { terminal().setCursorVisible(true); }

namespace {

// A key, unless a termination signal came first or arrived while waiting.
int nextKey() {
  if (pendingSignal() != 0) throw Interrupted(pendingSignal());
  const int key = terminal().readKey();
  if (pendingSignal() != 0) throw Interrupted(pendingSignal());
  return key;
}

}  // namespace

int readChar() {
  switch (const int key = nextKey()) {
    case KeyLeft: return '4';
    case KeyRight: return '6';
    case KeyUp: return '8';
    case KeyDown: return '2';
    default: return key;
  }
}

void waitChar() { nextKey(); }

}  // namespace vh
