// The game's only access to the terminal: colours, attributes, text at a position, keys.
// Every function works on the terminal chosen with useTerminal().
#pragma once

#include <string_view>

#include "screen/Displaydata.hpp"
#include "screen/Terminal.hpp"

namespace vh {

// Chooses the terminal that the functions below draw on and read from.
void useTerminal(Terminal& terminal);

// Starts the terminal and, when it has colours, defines the eight colour pairs.
void startScreen();
// Gives the terminal back.
void endScreen();
// Brings what was drawn to the terminal.
void updateScreen();
// Blanks the screen at the next update.
void clearScreen();
// Writes text at a 0-based column and row in the attributes currently on.
void printAt(int column, int row, std::string_view text);
// Writes text in a colour and attribute; plain text on a terminal without colours.
void printAtColour(int column, int row, std::string_view text, Colour colour, Attribute attribute);
// The colour pair of a colour: its ordinal, except Black, which uses pair 8.
int getColourNumber(Colour colour);
// The colour of a pair number from 0 to 8 (0 and 8 are both Black).
Colour getNumberColour(int n);
void hideCursor();
void showCursor();
// One key: the arrow keys arrive as the digits '4', '6', '8' and '2', every other code unchanged.
// Raises Interrupted (Signals.hpp) instead once a termination signal has arrived.
int readChar();
// Waits for any key and discards it; raises Interrupted as readChar does.
void waitChar();

}  // namespace vh
