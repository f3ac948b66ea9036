#include "creatures/Creatures.hpp"

#include <algorithm>
#include <limits>
#include <vector>

#include "random/Lfrand.hpp"

namespace vh {
namespace {

// Where a placement die can land: one die of `length` sides after an offset of 3.
struct Window {
  int firstX, lastX, firstY, lastY;
};

Window placementWindow(const Map& map) {
  const int columns = map.width - 6, rows = map.height - 6;
  // A die without sides rolls nothing and leaves the offset alone.
  return Window{columns > 0 ? 4 : 3, columns > 0 ? 3 + columns : 3, rows > 0 ? 4 : 3,
                rows > 0 ? 3 + rows : 3};
}

// The cells held by living pieces, answering as iscreatureAt does but in constant time.
class Occupancy {
 public:
  Occupancy(const Map& map, const CreatureList& creatures)
      : width_(map.width),
        height_(map.height),
        taken_(static_cast<std::size_t>((map.width + 1) * (map.height + 1)), false) {
    for (const Creature& c : piecesOf(creatures)) {
      if (c.alive && inside(c.x, c.y)) taken_[index(c.x, c.y)] = true;
    }
  }

  bool taken(int x, int y) const { return inside(x, y) && taken_[index(x, y)]; }

 private:
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x <= width_ && y <= height_; }
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(x * (height_ + 1) + y); }

  int width_, height_;
  std::vector<bool> taken_;
};

bool isFree(const Map& map, const Occupancy& occupancy, int x, int y) {
  return isclear(map, x, y, Undefined()) && !occupancy.taken(x, y);
}

// How many cells of the window are free, counting no further than `enough`.
int countFree(const Map& map, const Occupancy& occupancy, int enough) {
  const Window w = placementWindow(map);
  int free = 0;
  for (int x = w.firstX; x <= w.lastX && free < enough; ++x) {
    for (int y = w.firstY; y <= w.lastY && free < enough; ++y) {
      free += isFree(map, occupancy, x, y) ? 1 : 0;
    }
  }
  return free;
}

bool isSquareBelow(int r, int base, int level) {
  return level > base && r <= (level - base) * (level - base);
}

// The kind of a random piece; from level 15 on the chances stay those of level 15.
Creature randomKind(int level) {
  const int l = level > 14 ? 15 : level;
  const int r = lfDice(Dicespec{1, l * l, 0});
  if (isSquareBelow(r, 14, l)) return Queen();
  if (isSquareBelow(r, 9, l)) return Rook();
  if (isSquareBelow(r, 5, l)) return Knight();
  if (isSquareBelow(r, 2, l)) return Bishop();
  return Pawn();
}

}  // namespace

std::optional<Creature> newCreature(const Map& map, int level, const CreatureList& creatures,
                                    Creature kind) {
  const Occupancy occupancy(map, creatures);
  // Looking for a free cell first keeps the search below from running forever on a full window,
  // and rolls no dice, so an area with room for every piece draws exactly as before.
  if (countFree(map, occupancy, 1) == 0) return std::nullopt;
  Creature piece = kind == Random() ? randomKind(level) : std::move(kind);
  int x = 0, y = 0;
  do {
    x = lfDice(Dicespec{1, map.width - 6, 3});
    y = lfDice(Dicespec{1, map.height - 6, 3});
  } while (!isFree(map, occupancy, x, y));
  piece.x = x;
  piece.y = y;
  return piece;
}

int creaturesOfType(const CreatureList& creatures, const Creature& kind) {
  const auto pieces = piecesOf(creatures);
  return static_cast<int>(std::count_if(pieces.begin(), pieces.end(),
                                        [&](const Creature& c) { return c.name == kind.name; }));
}

int freePlacementCells(const Map& map, const CreatureList& creatures) {
  return countFree(map, Occupancy(map, creatures), std::numeric_limits<int>::max());
}

}  // namespace vh
