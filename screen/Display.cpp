#include "screen/Display.hpp"

#include <array>
#include <string>

#include "screen/Screen.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr int FirstMessageRow = 19;
constexpr int MessageWidth = 75;

void drawLook(int x, int y, const Screencell& look) {
  printAtColour(x - 1, y - 1, std::string(1, look.glyph), look.colour, look.attribute);
}

}  // namespace

void showMapCell(const Map& map, const Player& player, const CreatureList& creatures, int x,
                 int y) {
  if (x < 1 || y < 1 || x > map.width || y > map.height) return;
  bool drawn = false;
  // No early exit: should two living pieces share a cell, the last one stays visible.
  for (std::size_t i = 1; i < creatures.size(); ++i) {
    const Creature& c = creatures[i];
    if (c.alive && c.x == x && c.y == y) {
      drawLook(x, y, c.look);
      drawn = true;
    }
  }
  if (drawn) return;
  if (playerAt(player, x, y)) {
    printAtColour(x - 1, y - 1, "@", Colour::White, Attribute::Bold);
    return;
  }
  drawLook(x, y, map.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].terrain.look);
}

void refreshPlayerCell(const Player& player, const Map& map, const CreatureList& creatures) {
  showMapCell(map, player, creatures, player.x, player.y);
}

void showMessage(std::string_view text, int line) {
  struct LineLook {
    bool plain;
    Colour colour;
  };
  // Line 0 is plain text; the others are bold in their own colour.
  constexpr std::array<LineLook, 5> looks = {
      LineLook{true, Colour::White}, LineLook{false, Colour::Yellow}, LineLook{false, Colour::Cyan},
      LineLook{false, Colour::Red}, LineLook{false, Colour::Green}};
  if (line < 0 || line >= static_cast<int>(looks.size())) return;
  const int row = FirstMessageRow + line;
  printAt(0, row, strRepeat(' ', MessageWidth));
  const LineLook look = looks[static_cast<std::size_t>(line)];
  if (look.plain) {
    printAt(0, row, text);
  } else {
    printAtColour(0, row, text, look.colour, Attribute::Bold);
  }
}

}  // namespace vh
