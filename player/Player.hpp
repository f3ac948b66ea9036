// The White King in play: a new game's King, his move keys, and one move of his read from the
// keyboard.
#pragma once

#include <optional>
#include <span>

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// The kinds of move, which are also the keypad's groups of keys, each drawn in one colour.
enum class KeyGroup { OneOrthogonal, OneDiagonal, TwoDiagonal, KnightJumps, TwoOrthogonal, Wait };

struct MoveKey {
  char letter;  // the vi-like key
  char twin;    // its numeric-keypad twin; a knight's jump has none, and its letter stands twice
  int dx, dy;
  KeyGroup group;
};

// The key table, which the King's move and the keypad on the side panel both read.
std::span<const MoveKey> moveKeys();

// The move a key code names, if any.
std::optional<MoveKey> keyNamed(int code);

// The King of a new game: alive on the start cell (2, 2), nothing captured, no save requested.
Player newplayer();

// One move of the King: reads keys until one names a move open to him, carries it out and
// redraws the cells involved. Redraw, help and save keys act at once and leave the move pending;
// any other key that is not a legal move says so on message line 3. A piece on the target cell is
// left for the caller to capture; a sweeping two-cell move captures the piece it passes.
void movePlayer(Player& player, const Map& map, CreatureList& creatures, int level);

}  // namespace vh
