#include "screen/Display.hpp"

#include <array>
#include <string>
#include <vector>

#include "screen/Screen.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr int MessageWidth = 75;

void drawLook(int x, int y, const Screencell& look) {
  printAtColour(mapColumn(x), mapRow(y), std::string(1, look.glyph), look.colour, look.attribute);
}

// A cell as it shows: the living piece on it, else the King, else its terrain.
void drawCell(const Map& map, const Player& player, int x, int y, const Creature* piece) {
  if (piece != nullptr) {
    drawLook(x, y, piece->look);
  } else if (playerAt(player, x, y)) {
    printAtColour(mapColumn(x), mapRow(y), "@", Colour::White, Attribute::Bold);
  } else {
    drawLook(x, y,
             map.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].terrain.look);
  }
}

bool onMap(const Map& map, int x, int y) {
  return x >= 1 && y >= 1 && x <= map.width && y <= map.height;
}

}  // namespace

void showMapCell(const Map& map, const Player& player, const CreatureList& creatures, int x,
                 int y) {
  if (!onMap(map, x, y)) return;
  const Creature* piece = nullptr;
  // Should two living pieces share a cell, the last one stays visible.
  for (const Creature& c : piecesOf(creatures)) {
    if (c.alive && c.x == x && c.y == y) piece = &c;
  }
  drawCell(map, player, x, y, piece);
}

void showWholeMap(const Map& map, const Player& player, const CreatureList& creatures) {
  const auto at = [&map](int x, int y) {
    return static_cast<std::size_t>(x * (map.height + 1) + y);
  };
  std::vector<const Creature*> pieces(at(map.width + 1, 0), nullptr);
  for (const Creature& c : piecesOf(creatures)) {
    if (c.alive && onMap(map, c.x, c.y)) pieces[at(c.x, c.y)] = &c;
  }
  for (int x = 1; x <= map.width; ++x) {
    for (int y = 1; y <= map.height; ++y) drawCell(map, player, x, y, pieces[at(x, y)]);
  }
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
