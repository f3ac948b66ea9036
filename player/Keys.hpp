// What each key does for the King: the one table of his move keys and of what his captures open
// in each group of them. His moves, the keypad's colours and attributes, the help's legend and
// any question of which moves are open now all read it.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"
#include "screen/Displaydata.hpp"
#include "screen/Terminal.hpp"

namespace vh {

// The kinds of move, which are also the keypad's groups of keys, each drawn in one colour.
enum class KeyGroup { OneOrthogonal, OneDiagonal, TwoDiagonal, KnightJumps, TwoOrthogonal, Wait };

struct MoveKey {
  char letter;  // the vi-like key
  char twin;    // its numeric-keypad twin; a knight's jump has none, and its letter stands twice
  int dx, dy;
  KeyGroup group;
};

// Every move key.
std::span<const MoveKey> moveKeys();

// The move a key code names, if any.
std::optional<MoveKey> keyNamed(int code);

// What a group of keys does for the King with the captures he has made.
struct MovePower {
  bool moves;     // onto a free cell
  bool captures;  // onto a piece
  bool jumps;     // over whatever stands in between, water and pieces alike
  bool sweeps;    // capturing the piece in between

  bool operator==(const MovePower&) const = default;
};

// What the group does; none while it is closed to the King. Waiting does nothing but wait.
std::optional<MovePower> powerOf(KeyGroup group, const Kills& kills);

// What a group of keys does, which decides its colour on the keypad.
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

// How a colour of the keypad is drawn, in colour and, on a screen without colours, by attributes,
// and what it means in the help's legend.
struct KeyLook {
  KeyColour colour;
  Colour hue;
  Attribute attribute;
  TextAttributes plain;
  std::string_view meaning;
};

// Every look, in the order of the help's legend.
std::span<const KeyLook> keyLooks();
const KeyLook& lookOf(KeyColour colour);

// Whether the move is open to the King where he stands: the group opened by his captures, the
// cell he would reach clear, and the cell he would pass passable.
bool isOpen(const MoveKey& move, const Player& player, const Map& map,
            const CreatureList& creatures);

// A move open to the King now: its key, the cell it takes him to, and what it does there.
struct OpenMove {
  MoveKey key;
  int x, y;
  bool captures;  // a piece stands on the cell
  KeyColour colour;
};

// Every move open to the King now, in the order of the key table.
std::vector<OpenMove> openMoves(const Player& player, const Map& map,
                                const CreatureList& creatures);

}  // namespace vh
