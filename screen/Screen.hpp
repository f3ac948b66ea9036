// The game's only access to the terminal: colours, attributes, text at a position, keys.
// Every function works on the terminal chosen with useTerminal().
#pragma once

#include <string>
#include <string_view>

#include "screen/Displaydata.hpp"
#include "screen/Terminal.hpp"

namespace vh {

// Chooses the terminal that the functions below draw on and read from.
void useTerminal(Terminal& terminal);
// The terminal chosen.
Terminal& terminalInUse();
// Chooses a terminal while it lives, then goes back to the one chosen before.
class UsingTerminal {
 public:
  explicit UsingTerminal(Terminal& terminal);
  ~UsingTerminal();
  UsingTerminal(const UsingTerminal&) = delete;
  UsingTerminal& operator=(const UsingTerminal&) = delete;

 private:
  Terminal* previous_;
};

// Starts the terminal and, when it shows colours, defines the eight colour pairs.
void startScreen();
// Gives the terminal back.
void endScreen();
// Brings what was drawn to the terminal.
void updateScreen();
// Blanks the screen at the next update.
void clearScreen();
// Writes text at a 0-based column and row in the attributes currently on.
void printAt(int column, int row, std::string_view text);
// Whether the screen shows colours: not on a terminal without them, nor when the player asked
// for none (NO_COLOR).
bool coloursShown();
// Writes text in a colour and attribute; plain text on a screen without colours.
void printAtColour(int column, int row, std::string_view text, Colour colour, Attribute attribute);
// Writes a key of the keypad in a colour of its legend, or in `plain`, its own combination of
// bold, underline and reverse, on a screen without colours.
void printKeyAtColour(int column, int row, std::string_view text, Colour colour,
                      Attribute attribute, TextAttributes plain);
// Attributes in words, for the help screen: "Plain", "Bold", "Bold+underline" and so on.
std::string attributesName(TextAttributes attributes);
// The colour pair of a colour: its ordinal, except Black, which uses pair 8.
int getColourNumber(Colour colour);
// The colour of a pair number from 0 to 8 (0 and 8 are both Black).
Colour getNumberColour(int n);
void hideCursor();
void showCursor();
// One key from the terminal, its full code; NoKey when a termination signal ended the wait
// (Signals.hpp).
int readKey();
// The key a code stands for in the game: the arrows and the keypad's own codes are the digits
// they stand for ('4', '6', '8' and '2'; Home, PgUp, End and PgDn '7', '9', '1' and '3'), every
// other code itself.
int keypadDigit(int code);

}  // namespace vh
