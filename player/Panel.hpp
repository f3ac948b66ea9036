// The side panel right of the map: the list of captures and the colour-coded keypad of the
// moves open to the King.
#pragma once

#include <optional>

#include "player/Player.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// What a group of keys does, which decides its colour.
enum class KeyColour {
  MoveOnly,         // light grey
  MoveAndCapture,   // white
  Jumping,          // green: over pieces and water
  Sweeping,         // red: capturing whatever is in between
  CaptureOnly,      // yellow
  SweepingJumping,  // cyan: capturing in between and jumping water
  WaitInPlace,      // dark grey
};

// The colour of a group of keys for these counts; none while the group is closed to the King.
std::optional<KeyColour> keyColour(KeyGroup group, const Kills& kills);

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

}  // namespace vh
