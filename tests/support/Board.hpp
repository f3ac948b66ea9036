// Positions for the gameplay tests drawn as text: '#' wall, '=' water, '.' floor, '@' the King,
// P N B R Q K a living piece, p n b r q k a captured one; the map's ring, which nothing may enter,
// is not drawn. Board::fromPicture sets a position up and Board::picture draws it back, taken()
// reads capture counts, line() pads a screen row, and the Gameplay fixture draws on a virtual
// terminal and compares the screen with a full redraw.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "map/Mapgen.hpp"
#include "player/Redraw.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh::board {

using Picture = std::vector<std::string>;

// Capture counts written with the side panel's letters: "50N 10B" is fifty knights, ten bishops.
// They replace the counts of those kinds in `k`.
inline Kills taken(const std::string& counts, Kills k = {0, 0, 0, 0, 0, 0}) {
  int* const fields[] = {&k.pawns, &k.knights, &k.bishops, &k.rooks, &k.queens, &k.king};
  std::istringstream in(counts);
  int n = 0;
  for (char kind = 0; in >> n >> kind;) *fields[std::string_view("PNBRQK").find(kind)] = n;
  return k;
}

// A screen row holding `s` and blanks.
inline std::string line(const std::string& s) { return s + std::string(80 - s.size(), ' '); }

struct Board {
  Map map;
  CreatureList creatures;  // in reading order of the picture
  Player player;
  Picture ground;  // the picture without its pieces and King

  // The picture fills the bottom right of the inside of the map, which is the picture and its ring
  // or, when given, width x height cells with floor on the rest of the inside.
  static Board fromPicture(const Picture& rows, Kills kills = {}, int width = 0, int height = 0) {
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    Board b{makemap(width ? width : w + 2, height ? height : h + 2),
            {},
            Player{true, 0, 0, kills, "", false},
            rows};
    const int left = b.map.width - 1 - w, top = b.map.height - 1 - h;  // just outside the picture
    for (int y = 2; y < b.map.height; ++y) {
      for (int x = 2; x < b.map.width; ++x) {
        const char c = x > left && y > top ? rows[y - top - 1][x - left - 1] : '.';
        b.map.cells[x][y].terrain = c == '#' ? Edge() : c == '=' ? Water() : Room();
        if (c == '@') b.player = Player{true, x, y, kills, "", false};
        for (const PieceKind& kind : pieceKinds()) {
          if (kind.look.glyph == std::toupper(c))
            appendCreature(b.creatures,
                           {std::isupper(c) != 0, x, y, kind.look, std::string(kind.name)});
        }
        if (c == '@' || std::isalpha(c)) b.ground[y - top - 1][x - left - 1] = '.';
      }
    }
    return b;
  }

  // The position now, on a map no larger than the picture and its ring, where character x of row y
  // (both from 0) is cell (x + 2, y + 2): a living piece hides the King, and the King a captured
  // piece.
  Picture picture() const {
    Picture rows = ground;
    if (player.x > 0) rows[player.y - 2][player.x - 2] = '@';
    for (std::size_t i = 1; i < creatures.size(); ++i) {
      char& c = rows[creatures[i].y - 2][creatures[i].x - 2];
      const char glyph = creatures[i].look.glyph;
      c = creatures[i].alive ? glyph : c == '.' ? static_cast<char>(std::tolower(glyph)) : c;
    }
    return rows;
  }
};

// Gameplay tests draw on a virtual terminal with its colours defined.
struct Gameplay : ::testing::Test {
  Gameplay() { startScreen(); }
  // Expects a block of the screen to be what a full redraw of the board draws there, comparing
  // rows of cells written as their character and a letter for their colour ('d' for the default),
  // upper case when bold.
  void expectRedrawn(const Board& b, int top, int bottom, int left, int right) {
    const auto block = [&] {
      Picture rows(bottom - top + 1);
      for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
          const auto [colour, bold] = terminal.styleAt(c, r);
          const char letter = "krgybmcwd"[colour ? static_cast<int>(*colour) : 8];
          rows[r - top] += {terminal.charAt(c, r), static_cast<char>(letter - 32 * bold)};
        }
      }
      return rows;
    };
    const Picture shown = block();
    fullRefresh(b.map, b.player, b.creatures, 1);
    EXPECT_EQ(shown, block());
  }
  VirtualTerminal terminal;
  UsingTerminal drawnOn{terminal};
};

}  // namespace vh::board
