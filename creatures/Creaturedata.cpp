#include "creatures/Creaturedata.hpp"

#include <utility>

namespace vh {
namespace {

Creature kind(const char* name, char glyph, Colour colour, Attribute attribute, bool alive = true) {
  return Creature{alive, -1, -1, Screencell{glyph, colour, attribute}, name};
}

}  // namespace

Creature Placeholder() {
  return Creature{false, 0, 0, Screencell{' ', Colour::Black, Attribute::Normal}, ""};
}

void appendCreature(CreatureList& creatures, Creature piece) {
  if (creatures.empty()) creatures.push_back(Placeholder());
  creatures.push_back(std::move(piece));
}

Creature Pawn() { return kind("pawn", 'P', Colour::Yellow, Attribute::Normal); }
Creature Knight() { return kind("knight", 'N', Colour::Green, Attribute::Normal); }
Creature Bishop() { return kind("bishop", 'B', Colour::Red, Attribute::Normal); }
Creature Rook() { return kind("rook", 'R', Colour::Cyan, Attribute::Normal); }
Creature Queen() { return kind("queen", 'Q', Colour::Magenta, Attribute::Bold); }
Creature King() { return kind("king", 'K', Colour::Black, Attribute::Bold); }
Creature Random() { return kind("dead", 'P', Colour::Yellow, Attribute::Normal, false); }

bool iscreatureAt(const CreatureList& creatures, int x, int y) {
  for (std::size_t i = 1; i < creatures.size(); ++i) {
    const Creature& c = creatures[i];
    if (c.alive && c.x == x && c.y == y) return true;
  }
  return false;
}

std::array<MovePair, 8> KnightsMoves() {
  return {MovePair{1, 2},   MovePair{2, 1},   MovePair{-1, 2}, MovePair{-2, 1},
          MovePair{-1, -2}, MovePair{-2, -1}, MovePair{1, -2}, MovePair{2, -1}};
}

}  // namespace vh
