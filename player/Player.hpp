// The White King in play: a new game's King, and his move from a key.
#pragma once

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "player/Keys.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// The King of a new game: alive on the start cell (2, 2), nothing captured, no save requested.
Player newplayer();

// What one key did to the move the King is to make.
enum class MoveResult {
  Moved,    // he made it
  Pending,  // a command, or a key that is no move open to him, said so: the move is still to come
  Help,     // the key asks for the help screen: the move is still to come
};

// The King's move from a key: a move open to him is carried out and the cells involved redrawn.
// Redraw and save keys act at once; a key that is no legal move says so on message line 3. A piece
// on the target cell is left for the caller to capture; a sweeping two-cell move captures the
// piece it passes.
MoveResult movePlayer(Player& player, const Map& map, CreatureList& creatures, int level, int key);

}  // namespace vh
