#include "creatures/Creaturedata.hpp"

#include <algorithm>
#include <utility>

#include "creatures/Creatures.hpp"

namespace vh {
namespace {

constexpr PieceKind kinds[] = {
    {Kind::Pawn, "pawn", {'P', Colour::Yellow, Attribute::Normal}, &Kills::pawns, movePawn},
    {Kind::Knight, "knight", {'N', Colour::Green, Attribute::Normal}, &Kills::knights, moveKnight},
    {Kind::Bishop, "bishop", {'B', Colour::Red, Attribute::Normal}, &Kills::bishops, moveBishop},
    {Kind::Rook, "rook", {'R', Colour::Cyan, Attribute::Normal}, &Kills::rooks, moveRook},
    {Kind::Queen, "queen", {'Q', Colour::Magenta, Attribute::Bold}, &Kills::queens, moveQueen},
    {Kind::King, "king", {'K', Colour::Black, Attribute::Bold}, &Kills::king, moveKing},
};

}  // namespace

std::span<const PieceKind> pieceKinds() { return kinds; }

const PieceKind& kindOf(Kind kind) { return kinds[static_cast<std::size_t>(kind)]; }

const PieceKind* kindNamed(std::string_view name) {
  for (const PieceKind& kind : kinds) {
    if (kind.name == name) return &kind;
  }
  return nullptr;
}

Creature pieceOf(Kind kind) {
  const PieceKind& k = kindOf(kind);
  return Creature{true, -1, -1, k.look, std::string(k.name)};
}

Creature Placeholder() {
  return Creature{false, 0, 0, Screencell{' ', Colour::Black, Attribute::Normal}, ""};
}

void appendCreature(CreatureList& creatures, Creature piece) {
  if (creatures.empty()) creatures.push_back(Placeholder());
  creatures.push_back(std::move(piece));
}

Creature Pawn() { return pieceOf(Kind::Pawn); }
Creature Knight() { return pieceOf(Kind::Knight); }
Creature Bishop() { return pieceOf(Kind::Bishop); }
Creature Rook() { return pieceOf(Kind::Rook); }
Creature Queen() { return pieceOf(Kind::Queen); }
Creature King() { return pieceOf(Kind::King); }
Creature Random() { return Creature{false, -1, -1, kindOf(Kind::Pawn).look, "dead"}; }
bool iscreatureAt(const CreatureList& creatures, int x, int y) {
  const auto pieces = piecesOf(creatures);
  return std::any_of(pieces.begin(), pieces.end(),
                     [&](const Creature& c) { return c.alive && c.x == x && c.y == y; });
}

std::array<MovePair, 8> KnightsMoves() {
  return {MovePair{1, 2},   MovePair{2, 1},   MovePair{-1, 2}, MovePair{-2, 1},
          MovePair{-1, -2}, MovePair{-2, -1}, MovePair{1, -2}, MovePair{2, -1}};
}

}  // namespace vh
