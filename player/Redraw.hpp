// Screen-wide drawing of the game: the full redraw, the map view and the help screen.
#pragma once

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// Clears the screen and draws the area number, the map with its pieces and the King, the keypad
// of the moves open to the King, and the captures list. The message lines are left blank.
void fullRefresh(const Map& map, const Player& player, const CreatureList& creatures, int level);

// Draws every cell of the map, column by column, then updates the screen.
void showmap(const Map& map, const Player& player, const CreatureList& creatures);

// Shows the keyboard help on a cleared screen.
void showHelp();

}  // namespace vh
