#include "map/Mapdata.hpp"

namespace vh {
namespace {

Terrain terrain(char glyph, Colour colour, Attribute attribute, bool blocksMovement) {
  return Terrain{Screencell{glyph, colour, attribute}, Blocks{blocksMovement}};
}

}  // namespace

Terrain Undefined() { return terrain(' ', Colour::White, Attribute::Normal, true); }
Terrain Edge() { return terrain('#', Colour::White, Attribute::Normal, true); }
Terrain Corridor() { return terrain('.', Colour::Green, Attribute::Normal, false); }
Terrain Corridor2() { return terrain('.', Colour::Green, Attribute::Bold, false); }
Terrain Room() { return terrain('.', Colour::Green, Attribute::Normal, false); }
Terrain Room2() { return terrain('.', Colour::Green, Attribute::Bold, false); }
Terrain Water() { return terrain('=', Colour::Blue, Attribute::Bold, true); }
Terrain Water2() { return terrain('=', Colour::Blue, Attribute::Normal, true); }
Terrain Start() { return terrain('.', Colour::White, Attribute::Normal, false); }
Terrain Exit() { return terrain('>', Colour::Green, Attribute::Bold, false); }

MapCell mkMapCell() { return MapCell{Undefined()}; }

bool isclear(const Map& map, int x, int y, const Terrain& terrain) {
  // The ring and everything beyond it is decided before any cell is read.
  if (x <= 1 || y <= 1 || x >= map.width || y >= map.height) return false;
  const Terrain& here = map.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].terrain;
  if (terrain != Undefined() && here != terrain) return false;
  return !here.blocks.movement;
}

}  // namespace vh
