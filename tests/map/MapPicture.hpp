// Maps drawn as text for the map tests: one character a terrain, one string a row from the top.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "map/Mapgen.hpp"

namespace vh::mappicture {

// Plain floor and plain water keep their glyph, bold ones get another: '.' Corridor (= Room),
// ':' Corridor2 (= Room2), '=' Water2, '~' Water; 'S' is the start, ' ' Undefined.
inline const std::vector<std::pair<char, Terrain>>& legend() {
  static const std::vector<std::pair<char, Terrain>> terrains = {
      {' ', Undefined()}, {'#', Edge()},  {'.', Corridor()}, {':', Corridor2()},
      {'~', Water()},     {'=', Water2()}, {'S', Start()},    {'>', Exit()}};
  return terrains;
}

// The terrain of cell (x, y) of a Map or a const Map.
template <typename AnyMap>
auto& at(AnyMap& map, int x, int y) {
  return map.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].terrain;
}

// Character x of row y (both from 0) is cell (x + 1, y + 1).
inline Map fromPicture(const std::vector<std::string>& rows) {
  Map map = makemap(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
  for (int x = 1; x <= map.width; ++x) {
    for (int y = 1; y <= map.height; ++y) {
      const char symbol = rows[static_cast<std::size_t>(y - 1)][static_cast<std::size_t>(x - 1)];
      for (const auto& [c, terrain] : legend()) {
        if (c == symbol) at(map, x, y) = terrain;
      }
    }
  }
  return map;
}

// The rectangle from (x1, y1) to (x2, y2), '?' for a terrain outside the legend.
inline std::vector<std::string> picture(const Map& map, int x1, int y1, int x2, int y2) {
  std::vector<std::string> rows;
  for (int y = y1; y <= y2; ++y) {
    std::string row;
    for (int x = x1; x <= x2; ++x) {
      char symbol = '?';
      for (const auto& [c, terrain] : legend()) {
        if (terrain == at(map, x, y)) symbol = c;
      }
      row += symbol;
    }
    rows.push_back(row);
  }
  return rows;
}

inline std::vector<std::string> picture(const Map& map) {
  return picture(map, 1, 1, map.width, map.height);
}

}  // namespace vh::mappicture
