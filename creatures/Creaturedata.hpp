// The enemy pieces: their record, their kinds, the creature list and its occupancy test.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"
#include "screen/Displaydata.hpp"

namespace vh {

// One piece of the current area. Its kind is its lower-case name.
struct Creature {
  bool alive;
  int x;
  int y;
  Screencell look;
  std::string name;

  bool operator==(const Creature&) const = default;
};

// A step offset.
struct MovePair {
  int dx;
  int dy;

  bool operator==(const MovePair&) const = default;
};

// The pieces of an area at positions 1 to size() - 1, in the order they were placed. Position 0
// is a placeholder that never holds a piece (saved games write it as the integer 0); every loop
// over the list starts at 1. Captured pieces stay in the list with alive false.
using CreatureList = std::vector<Creature>;

// The pieces of a list: positions 1 onwards.
inline std::span<Creature> piecesOf(CreatureList& creatures) {
  return std::span(creatures).subspan(creatures.empty() ? 0 : 1);
}
inline std::span<const Creature> piecesOf(const CreatureList& creatures) {
  return std::span(creatures).subspan(creatures.empty() ? 0 : 1);
}

// What position 0 of a creature list holds: never a piece, never read.
Creature Placeholder();

// Stores a piece at the next position, making the placeholder at position 0 on first use.
void appendCreature(CreatureList& creatures, Creature piece);

enum class Kind { Pawn, Knight, Bishop, Rook, Queen, King };

// A kind's move rule: moves piece i of the list at most once, by the rules of its kind.
using MoveRule = void (*)(const Player& player, const Map& map, std::size_t i,
                          CreatureList& creatures);

// What a kind of piece is: the name its pieces carry (saved games store pieces by it), its look
// on the map, the capture count it raises, and its move rule.
struct PieceKind {
  Kind kind;
  std::string_view name;
  Screencell look;
  int Kills::*captures;
  MoveRule move;
};

// Every kind, in the order of the enumeration.
std::span<const PieceKind> pieceKinds();
const PieceKind& kindOf(Kind kind);
// The kind a piece's name names; none for any other name: such a piece neither moves nor counts.
const PieceKind* kindNamed(std::string_view name);

// A fresh, unplaced piece of the kind at (-1, -1).
Creature pieceOf(Kind kind);
Creature Pawn();
Creature Knight();
Creature Bishop();
Creature Rook();
Creature Queen();
Creature King();  // the Black King
// Not a piece: the marker that asks for a kind chosen by the level.
Creature Random();

// Whether a living piece stands on (x, y).
bool iscreatureAt(const CreatureList& creatures, int x, int y);

// The knight's eight offsets, in the order in which knights try them.
std::array<MovePair, 8> KnightsMoves();

}  // namespace vh
