// The side panel right of the map: the list of captures and the colour-coded keypad of the
// moves open to the King.
#pragma once

#include "player/Playerdata.hpp"

namespace vh {

// The keypad's groups of keys, each drawn in one colour.
enum class KeyGroup { OneOrthogonal, OneDiagonal, TwoDiagonal, KnightJumps, TwoOrthogonal, Wait };

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

// The colour of the two-cell keys of one direction once they are open: sweeping captures the
// piece in between, jumping (from 50 knights) passes over water and pieces.
KeyColour twoCellColour(bool sweeping, bool jumping);

// Draws the labels of the captures list with every count shown as 0.
void initKills();
// Writes the six capture counts.
void showKills(const Player& player);
// Draws the "Controls" heading and one group of keys in one colour.
void showKeys(KeyGroup group, KeyColour colour);

}  // namespace vh
