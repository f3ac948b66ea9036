// Draws the game's state: one map cell with whatever stands on it, and the five message lines.
// Nothing here refreshes the terminal; callers update the screen when a move is complete.
#pragma once

#include <string_view>

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// The screen column and row of map cell (x, y).
constexpr int mapColumn(int x) { return x - 1; }
constexpr int mapRow(int y) { return y - 1; }

// The five message lines fill the screen's last rows, below the map.
inline constexpr int FirstMessageRow = 19;

// Draws map cell (x, y) at its screen cell: a living piece if one stands there
// (the last in list order wins), else the King, else the terrain.
void showMapCell(const Map& map, const Player& player, const CreatureList& creatures, int x, int y);
// Draws every cell of the map, column by column, as showMapCell does, finding each piece once.
void showWholeMap(const Map& map, const Player& player, const CreatureList& creatures);

// Redraws the King's own cell.
void refreshPlayerCell(const Player& player, const Map& map, const CreatureList& creatures);

// Clears message line 0 to 4 (screen rows 19 to 23) over 75 columns and writes text in the
// line's colour.
void showMessage(std::string_view text, int line);

}  // namespace vh
