// The map of one area: a grid of cells, the ten terrains, and whether a piece may stand on a cell.
#pragma once

#include <vector>

#include "screen/Displaydata.hpp"

namespace vh {

struct Blocks {
  bool movement;  // no piece may stand on a cell of this terrain

  bool operator==(const Blocks&) const = default;
};

// Terrains have no kind tag: two are the same terrain when their looks and flags are equal,
// which makes Corridor and Room one value.
struct Terrain {
  Screencell look;
  Blocks blocks;

  bool operator==(const Terrain&) const = default;
};

struct MapCell {
  Terrain terrain;
};

// Coordinates are 1-based, x the column and y the row: the cell at (x, y) is cells[x][y].
// Position 0 of the column array and of each column is a placeholder and never a cell; saved
// games write it as the integer 0.
struct Map {
  std::vector<std::vector<MapCell>> cells;
  int width;
  int height;
};

// Every area of the game has a map of this size.
inline constexpr int MapWidth = 59;
inline constexpr int MapHeight = 19;

Terrain Undefined();
Terrain Edge();
Terrain Corridor();
Terrain Corridor2();
Terrain Room();
Terrain Room2();
Terrain Water();
Terrain Water2();
Terrain Start();
Terrain Exit();

// A fresh cell, of terrain Undefined.
MapCell mkMapCell();

// Whether a piece may stand on (x, y): inside the outer ring, on terrain that does not block,
// and, unless terrain is Undefined(), of that terrain. Any coordinates are accepted.
bool isclear(const Map& map, int x, int y, const Terrain& terrain);

}  // namespace vh
