// The side panel right of the map: the list of captures and the colour-coded keypad of the
// moves open to the King.
#pragma once

#include <optional>

#include "player/Keys.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// The panel fills the screen from this column to its right edge: the area and the captures at
// the top, the keypad from the "Controls" heading's row down.
inline constexpr int PanelColumn = 60;
inline constexpr int ControlsRow = 11;

// Draws the labels of the captures list with every count shown as 0.
void initKills();
// Writes the six capture counts.
void showKills(const Player& player);
// Draws the "Controls" heading and one group of keys in a colour.
void showKeys(KeyGroup group, KeyColour colour);
// Draws the "Controls" heading and every open group of keys in its colour.
void showKeypad(const Kills& kills);
// Redraws the groups of keys whose colour differs between the two counts.
void updateKeypad(const Kills& before, const Kills& after);

// The key that the keypad shows at a screen cell, whether its group is open or not: what a tap
// or a click there presses.
std::optional<int> keypadKeyAt(int column, int row);

}  // namespace vh
