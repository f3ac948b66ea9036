// The pieces of an area: placing them, and their turn with the move rule of each kind.
#pragma once

#include <optional>

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// A new piece placed on a free cell of the placement window (columns 4 to width - 3, rows 4 to
// height - 3): clear terrain without a living piece. For Random() the kind is drawn first, by the
// level; any other kind record is placed as it is. The piece is not added to the list. When the
// window has no free cell left, nothing is placed and no dice are rolled.
std::optional<Creature> newCreature(const Map& map, int level, const CreatureList& creatures,
                                    Creature kind);

// The number of pieces of the kind's name at positions 1 onwards, captured ones included.
int creaturesOfType(const CreatureList& creatures, const Creature& kind);

// How many more pieces the placement window can take.
int freePlacementCells(const Map& map, const CreatureList& creatures);

// The pieces' turn: every living piece, in list order, moves once by the rule of its kind, each
// seeing the moves of the pieces before it. A piece captures the King by stepping onto his cell.
void moveCreatures(const Player& player, const Map& map, CreatureList& creatures);

// The move rules, each moving piece i at most once. Knight, bishop, rook and queen close in on the
// King but keep out of the square around him unless they can take him; the Black King flees; the
// pawn steps orthogonally towards him at random, backs off when close, and captures diagonally.
void movePawn(const Player& player, const Map& map, std::size_t i, CreatureList& creatures);
void moveKnight(const Player& player, const Map& map, std::size_t i, CreatureList& creatures);
void moveBishop(const Player& player, const Map& map, std::size_t i, CreatureList& creatures);
void moveRook(const Player& player, const Map& map, std::size_t i, CreatureList& creatures);
void moveQueen(const Player& player, const Map& map, std::size_t i, CreatureList& creatures);
void moveKing(const Player& player, const Map& map, std::size_t i, CreatureList& creatures);

// Whether a piece may step onto (x, y): clear terrain, no living piece, and the King's cell only
// when mayCapture.
bool checkMove(const Player& player, const Map& map, const CreatureList& creatures, int x, int y,
               bool mayCapture);

// Moves piece i by (dx, dy) unless that leaves the inside of the ring, and redraws the new cell,
// then the old one.
void doMove(const Map& map, const Player& player, CreatureList& creatures, std::size_t i, int dx,
            int dy);

}  // namespace vh
