// Positions for the gameplay tests drawn as text inside a wall ring that the helper adds: '#' wall,
// '=' water, '.' floor, '@' the King, P N B R Q K a living piece, p n b r q k a captured one.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "creatures/Creaturedata.hpp"
#include "map/Mapgen.hpp"
#include "player/Playerdata.hpp"
#include "player/Redraw.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh::board {

using Picture = std::vector<std::string>;

// Capture counts written with the side panel's letters: "50N 10B" is fifty knights, ten bishops.
inline Kills taken(const std::string& counts) {
  int Kills::*const fields[] = {&Kills::pawns, &Kills::knights, &Kills::bishops,
                                &Kills::rooks, &Kills::queens,  &Kills::king};
  Kills kills{0, 0, 0, 0, 0, 0};
  std::istringstream in(counts);
  int n = 0;
  for (char kind = 0; in >> n >> kind;) kills.*fields[std::string_view("PNBRQK").find(kind)] = n;
  return kills;
}

struct Board {
  Map map;
  CreatureList creatures;  // in reading order of the picture
  Player player;

  // Character x of row y (both from 0) is cell (x + 2, y + 2). On a map larger than the picture
  // and its ring, the rest of the inside is floor.
  static Board fromPicture(const Picture& rows, Kills kills = {}, int width = 0, int height = 0) {
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    Board b{makemap(std::max(width, w + 2), std::max(height, h + 2)), {},
            Player{true, 0, 0, kills, "", false}};
    for (int y = 1; y <= b.map.height; ++y) {
      for (int x = 1; x <= b.map.width; ++x) {
        const bool inside = x > 1 && y > 1 && x < b.map.width && y < b.map.height;
        const char c = !inside ? '#' : x - 2 < w && y - 2 < h ? rows[y - 2][x - 2] : '.';
        b.map.cells[x][y].terrain = c == '#' ? Edge() : c == '=' ? Water() : Room();
        if (c == '@') b.player = Player{true, x, y, kills, "", false};
        for (Creature piece : {Pawn(), Knight(), Bishop(), Rook(), Queen(), King()}) {
          if (std::toupper(c) != piece.look.glyph) continue;
          piece.alive = std::isupper(c);
          piece.x = x;
          piece.y = y;
          appendCreature(b.creatures, piece);
        }
      }
    }
    return b;
  }

  // The inside of the map now: a living piece hides the King, and the King a captured piece.
  Picture picture() const {
    Picture rows;
    for (int y = 2; y < map.height; ++y) {
      std::string row;
      for (int x = 2; x < map.width; ++x) {
        const Terrain& t = map.cells[x][y].terrain;
        char c = playerAt(player, x, y) ? '@' : t == Edge() ? '#' : t == Water() ? '=' : '.';
        for (const Creature& p : creatures) {
          if (p.x != x || p.y != y) continue;
          if (p.alive) c = p.look.glyph;
          if (!p.alive && c == '.') c = static_cast<char>(std::tolower(p.look.glyph));
        }
        row += c;
      }
      rows.push_back(row);
    }
    return rows;
  }
};

// A block of the screen, each row its characters, '|', then a letter a cell for its colour (upper
// case when bold, '-' for the default colour), so that characters and styles compare at once.
inline Picture styled(const VirtualTerminal& t, int top, int bottom, int left, int right) {
  Picture rows;
  for (int r = top; r <= bottom; ++r) {
    std::string text, looks;
    for (int c = left; c <= right; ++c) {
      const VirtualTerminal::Style s = t.styleAt(c, r);
      const char letter = s.colour ? "krgybmcw"[static_cast<int>(*s.colour)] : '-';
      text += t.charAt(c, r);
      looks += s.bold ? static_cast<char>(std::toupper(letter)) : letter;
    }
    rows.push_back(text + '|' + looks);
  }
  return rows;
}

// A fresh terminal after a full redraw of the board; `current` is where the test goes on drawing.
inline VirtualTerminal redrawn(const Board& b, int level, VirtualTerminal& current) {
  VirtualTerminal fresh;
  useTerminal(fresh);
  startScreen();
  fullRefresh(b.map, b.player, b.creatures, level);
  useTerminal(current);
  return fresh;
}

// Gameplay tests draw on a virtual terminal with its colours defined.
class OnVirtualTerminal : public ::testing::Test {
 protected:
  void SetUp() override {
    useTerminal(terminal);
    startScreen();
  }
  VirtualTerminal terminal;
};

}  // namespace vh::board
