#include "map/Mapgen.hpp"

#include "random/Lfrand.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

Terrain& terrainAt(Map& map, int x, int y) {
  return map.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].terrain;
}

const Terrain& terrainAt(const Map& map, int x, int y) {
  return map.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].terrain;
}

void digCorridorCell(Map& map, int x, int y) {
  Terrain& terrain = terrainAt(map, x, y);
  if (terrain == Undefined()) terrain = Corridor();
}

int randomCorridorStyle() {
  const int style = lfDice(Dicespec{1, 5, 0}) / 2;
  return style == 0 ? 3 : style;
}

}  // namespace

Map makemap(int width, int height) {
  // Position 0 of the columns and of each column is a placeholder, never read as a cell.
  std::vector<std::vector<MapCell>> cells(
      static_cast<std::size_t>(width) + 1,
      std::vector<MapCell>(static_cast<std::size_t>(height) + 1, mkMapCell()));
  return Map{std::move(cells), width, height};
}

Map initmap(int type, Map map) {
  map = AddEdge(std::move(map));
  map = BasicRooms(std::move(map));
  if (type == 1) map = SafetyCorridor(std::move(map));
  map = Cleanup(std::move(map), Water());
  return Chessify(std::move(map));
}

Map AddEdge(Map map) {
  for (int x = 1; x <= map.width; ++x) {
    terrainAt(map, x, 1) = Edge();
    terrainAt(map, x, map.height) = Edge();
  }
  for (int y = 1; y <= map.height; ++y) {
    terrainAt(map, 1, y) = Edge();
    terrainAt(map, map.width, y) = Edge();
  }
  return map;
}

Map BasicRooms(Map map) {
  int cx = 2, cy = 2;
  int rx = 0, ry = 0, rsize = 0;
  const int nrooms = lfDice(Dicespec{3, 6, 6});
  for (int i = 1; i <= nrooms; ++i) {
    int t = 1;
    // The leftovers of the previous room are tested before the first roll; a roll of 3 gives up.
    while (rsize == 0 || (NoSpace(map, rx, ry, rsize) && t != 3)) {
      rsize = lfDice(Dicespec{2, 2, -1});
      rx = roundDown(lfDice(Dicespec{1, map.width - 4 - 2 * rsize, 0}) + rsize + 2, 2);
      ry = roundDown(lfDice(Dicespec{1, map.height - 4 - 2 * rsize, 0}) + rsize + 2, 2);
      t = lfDice(Dicespec{1, 10, 0});
    }
    if (t != 3) map = AddRoom(std::move(map), rx, ry, rsize);
    // The corridor runs to the centre even when the room was given up.
    const int style = (cx == 2 && cy == 2) ? 3 : 0;
    map = AddCorridor(std::move(map), cx, cy, rx, ry, style);
    cx = rx;
    cy = ry;
  }
  map = AddCorridor(std::move(map), cx, cy, 58, 18, 3);
  terrainAt(map, 2, 2) = Start();
  terrainAt(map, map.width - 1, map.height - 1) = Exit();
  return map;
}

Map SafetyCorridor(Map map) {
  const int sx = roundDown(lfDice(Dicespec{1, map.width - 6, 0}) + 2, 2);
  const int sy = roundDown(lfDice(Dicespec{1, map.height - 6, 0}) + 2, 2);
  return AddCorridor(std::move(map), sx, sy, 4, 4, 3);
}

Map AddCorridor(Map map, int x1, int y1, int x2, int y2, int style) {
  if (style == 0) style = randomCorridorStyle();
  if (style & 1) {
    for (const int x : looprange(x1, x2)) digCorridorCell(map, x, y1);
    for (const int y : looprange(y1, y2)) digCorridorCell(map, x2, y);
  }
  if (style & 2) {
    for (const int y : looprange(y1, y2)) digCorridorCell(map, x1, y);
    for (const int x : looprange(x1, x2)) digCorridorCell(map, x, y2);
  }
  return map;
}

Map AddRoom(Map map, int x, int y, int size) {
  for (int i = x - size; i <= x + size; ++i) {
    for (int j = y - size; j <= y + size; ++j) terrainAt(map, i, j) = Room();
  }
  terrainAt(map, x, y) = Water();
  return map;
}

bool NoSpace(const Map& map, int x, int y, int size) {
  for (int i = x - size; i <= x + size; ++i) {
    for (int j = y - size; j <= y + size; ++j) {
      if (terrainAt(map, i, j) == Room()) return true;
    }
  }
  return false;
}

Map Cleanup(Map map, const Terrain& fill) {
  for (int x = 1; x <= map.width; ++x) {
    for (int y = 1; y <= map.height; ++y) {
      if (terrainAt(map, x, y) == Undefined()) terrainAt(map, x, y) = fill;
    }
  }
  return map;
}

Map Chessify(Map map) {
  for (int x = 1; x <= map.width; ++x) {
    for (int y = 1; y <= map.height; ++y) {
      if ((x + y) % 2 != 0) continue;
      Terrain& terrain = terrainAt(map, x, y);
      // Room is the same value as Corridor: room floors become Corridor2, which is Room2.
      if (terrain == Corridor()) {
        terrain = Corridor2();
      } else if (terrain == Water()) {
        terrain = Water2();
      }
    }
  }
  return map;
}

}  // namespace vh
