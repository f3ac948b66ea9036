// The game driver: start-up and shut-down of the screen, the loop over games, areas and turns,
// and the population of each area.
#pragma once

#include <functional>

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// The whole run, on the terminal chosen with useTerminal().
void runVardenholt();

// When the driver calls an observer: an area has been drawn (fresh or restored), or a turn is over.
enum class Moment { AreaShown, TurnOver };
using TurnObserver =
    std::function<void(Moment, const Map&, const Player&, const CreatureList&, int level)>;

// Shows the game's state to an observer at every such moment; for tests of long play.
void observeTurns(TurnObserver observer);

// False exactly when the King stands on the exit cell (width - 1, height - 1).
bool notEscaped(const Map& map, const Player& player);

// A new map for an area: rooms and corridors, with the extra corridor near the start after area 9.
Map buildAreaMap(int level);

// The pieces of an area: 6 plus `level` rolls of a three-sided die at random, then the pieces the
// level guarantees. When the placement window cannot hold them all, random pieces give way first,
// so from area 20 on the Black King always stands on the board.
CreatureList populateArea(const Map& map, int level);

}  // namespace vh
