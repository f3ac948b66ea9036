#include "screen/Screen.hpp"

#include <array>
#include <cassert>
#include <string>
#include <utility>

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

// Black in bold is the dark grey of the design, but only terminals that brighten bold show it:
// where the bright colours exist it is drawn in bright black, which every such terminal shows.
constexpr int BrightColours = 16;

}  // namespace

void useTerminal(Terminal& terminal) { current = &terminal; }

Terminal& terminalInUse() { return terminal(); }

UsingTerminal::UsingTerminal(Terminal& terminal) : previous_(std::exchange(current, &terminal)) {}

UsingTerminal::~UsingTerminal() { current = previous_; }

void startScreen() {
  terminal().start();
  const int colours = terminal().colours();
  if (colours == 0) return;
  for (std::size_t i = 0; i < pairColours.size(); ++i) {
    const bool bright = pairColours[i] == Colour::Black && colours >= BrightColours;
    terminal().definePair(static_cast<int>(i) + 1, pairColours[i], bright);
  }
}

void endScreen() { terminal().stop(); }

void updateScreen() { terminal().refresh(); }

void clearScreen() { terminal().clear(); }

void printAt(int column, int row, std::string_view text) {
  // Only printable ASCII reaches the terminal, whatever a damaged file held.
  terminal().write(column, row, printableText(text));
}

bool coloursShown() { return terminal().colours() > 0; }

void printAtColour(int column, int row, std::string_view text, Colour colour, Attribute attribute) {
  if (!coloursShown()) {
    printAt(column, row, text);
    return;
  }
  const TextAttributes attributes{attribute == Attribute::Bold, getColourNumber(colour)};
  terminal().attributesOn(attributes);
  printAt(column, row, text);
  terminal().attributesOff(attributes);
}

void printKeyAtColour(int column, int row, std::string_view text, Colour colour,
                      Attribute attribute, TextAttributes plain) {
  if (coloursShown()) {
    printAtColour(column, row, text, colour, attribute);
    return;
  }
  terminal().attributesOn(plain);
  printAt(column, row, text);
  terminal().attributesOff(plain);
}

std::string attributesName(TextAttributes attributes) {
  std::string name;
  for (const auto& [on, word] :
       {std::pair{attributes.bold, "bold"}, std::pair{attributes.underline, "underline"},
        std::pair{attributes.reverse, "reverse"}}) {
    if (!on) continue;
    if (!name.empty()) name += '+';
    name += word;
  }
  if (name.empty()) name = "plain";
  name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name;
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

int readKey() { return terminal().readKey(); }

int keypadDigit(int code) {
  // The keys that stand for a digit of the numeric keypad: the arrows, the keypad's own codes,
  // and what the keypad sends with NumLock off.
  constexpr std::array<std::pair<int, char>, 14> keypadDigits = {{
      {KeyLeft, '4'},
      {KeyRight, '6'},
      {KeyUp, '8'},
      {KeyDown, '2'},
      {KeyA1, '7'},
      {KeyA3, '9'},
      {KeyB2, '5'},
      {KeyC1, '1'},
      {KeyC3, '3'},
      {KeyHome, '7'},
      {KeyPreviousPage, '9'},
      {KeyBegin, '5'},
      {KeyEnd, '1'},
      {KeyNextPage, '3'},
  }};
  for (const auto& [keypad, digit] : keypadDigits) {
    if (code == keypad) return digit;
  }
  return code;
}

}  // namespace vh
