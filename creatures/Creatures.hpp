// Placing the pieces of an area (and, as the game grows, their turn).
#pragma once

#include <optional>

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"

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

}  // namespace vh
