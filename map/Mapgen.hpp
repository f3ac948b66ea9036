// Builds each area's map: a wall ring, a chain of square rooms joined by L-shaped corridors from
// the start (2, 2) to the exit in the far corner, water everywhere else, and a chequered look.
#pragma once

#include "map/Mapdata.hpp"

namespace vh {

// A width x height map whose every cell is Undefined.
Map makemap(int width, int height);

// Runs the generator's steps on a fresh map. Type 0: rooms and corridors; type 1 adds a corridor
// from a random point to (4, 4), near the start.
Map initmap(int type, Map map);

// The generator's steps, each changing the map in place and returning it.
Map AddEdge(Map map);
Map BasicRooms(Map map);
Map SafetyCorridor(Map map);
// An L-shaped corridor over Undefined cells only. Style 1 runs along the first point's row then
// the second point's column, style 2 the other way round, style 3 both; 0 picks one at random.
Map AddCorridor(Map map, int x1, int y1, int x2, int y2, int style);
// A square of Room of half-size `size` around (x, y), with Water at its centre.
Map AddRoom(Map map, int x, int y, int size);
// Whether the square of half-size `size` around (x, y) already holds Room (or Corridor) cells.
bool NoSpace(const Map& map, int x, int y, int size);
// Turns every Undefined cell into fill.
Map Cleanup(Map map, const Terrain& fill);
// Gives floors and water on cells with even x + y their second shade.
Map Chessify(Map map);

}  // namespace vh
