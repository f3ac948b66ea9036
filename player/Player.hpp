// The White King in play.
#pragma once

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// The King of a new game: alive on the start cell (2, 2), nothing captured, no save requested.
Player newplayer();

// Draws every cell of the map, column by column, then updates the screen.
void showmap(const Map& map, const Player& player, const CreatureList& creatures);

}  // namespace vh
