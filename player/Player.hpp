// The White King in play: a new game's King, his move keys, and one move of his read from the
// keyboard.
#pragma once

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "player/Keys.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// The King of a new game: alive on the start cell (2, 2), nothing captured, no save requested.
Player newplayer();

// One move of the King: reads keys until one names a move open to him, carries it out and
// redraws the cells involved. Redraw, help and save keys act at once and leave the move pending;
// any other key that is not a legal move says so on message line 3. A piece on the target cell is
// left for the caller to capture; a sweeping two-cell move captures the piece it passes.
void movePlayer(Player& player, const Map& map, CreatureList& creatures, int level);

}  // namespace vh
