// The pieces' turn and the move rule of each kind.
#include <array>
#include <cstdlib>
#include <span>
#include <vector>

#include "creatures/Creatures.hpp"
#include "random/Lfrand.hpp"
#include "screen/Display.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr int CaptureScore = 100;

// How a searching piece values a step that does not capture, by its distances to the King.
using Score = int (*)(int ax, int ay);

int closeInKeepingOneCell(int ax, int ay) { return ax <= 1 && ay <= 1 ? 1 : 100 - ax - ay; }
int closeInKeepingTwoCells(int ax, int ay) { return ax <= 2 && ay <= 2 ? 1 : 100 - ax - ay; }
int flee(int ax, int ay) { return ax + ay; }

// A ray is a direction tried at growing distances, written as the step of distance one.
using Ray = MovePair;

constexpr Ray Diagonals[] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
constexpr Ray Straights[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
constexpr Ray QueenRays[] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
constexpr Ray KingSteps[] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};

struct Choice {
  int score = 0;
  int dx = 0, dy = 0;
};

// Walks one ray outwards from the piece, keeping the best step seen so far. A ray ends at a
// capture or at the first cell the piece cannot enter.
void searchRay(const Player& player, const Map& map, const CreatureList& creatures,
               const Creature& piece, Ray ray, int reach, Score score, Choice& best) {
  for (int n = 1; n <= reach; ++n) {
    const int nx = piece.x + n * ray.dx, ny = piece.y + n * ray.dy;
    if (!checkMove(player, map, creatures, nx, ny, true)) return;
    if (playerAt(player, nx, ny)) {
      best = Choice{CaptureScore, n * ray.dx, n * ray.dy};
      return;
    }
    const int value = score(std::abs(player.x - nx), std::abs(player.y - ny));
    if (value > best.score) best = Choice{value, n * ray.dx, n * ray.dy};
  }
}

// Tries every ray in order; a later step replaces the chosen one only with a strictly higher score.
void searchAndMove(const Player& player, const Map& map, std::size_t i, CreatureList& creatures,
                   std::span<const Ray> rays, int reach, Score score) {
  Choice best;
  for (const Ray ray : rays)
    searchRay(player, map, creatures, creatures[i], ray, reach, score, best);
  if (best.score > 0) doMove(map, player, creatures, i, best.dx, best.dy);
}

}  // namespace

void moveCreatures(const Player& player, const Map& map, CreatureList& creatures) {
  std::size_t i = 0;  // the position of the piece in the list
  for (const Creature& piece : piecesOf(creatures)) {
    ++i;
    if (!piece.alive) continue;
    if (const PieceKind* kind = kindNamed(piece.name)) kind->move(player, map, i, creatures);
  }
}

void moveKnight(const Player& player, const Map& map, std::size_t i, CreatureList& creatures) {
  const std::array<MovePair, 8> jumps = KnightsMoves();
  searchAndMove(player, map, i, creatures, jumps, 1, closeInKeepingOneCell);
}

void moveBishop(const Player& player, const Map& map, std::size_t i, CreatureList& creatures) {
  searchAndMove(player, map, i, creatures, Diagonals, 3, closeInKeepingOneCell);
}

void moveRook(const Player& player, const Map& map, std::size_t i, CreatureList& creatures) {
  searchAndMove(player, map, i, creatures, Straights, 3, closeInKeepingTwoCells);
}

void moveQueen(const Player& player, const Map& map, std::size_t i, CreatureList& creatures) {
  searchAndMove(player, map, i, creatures, QueenRays, 4, closeInKeepingTwoCells);
}

void moveKing(const Player& player, const Map& map, std::size_t i, CreatureList& creatures) {
  searchAndMove(player, map, i, creatures, KingSteps, 1, flee);
}

void movePawn(const Player& player, const Map& map, std::size_t i, CreatureList& creatures) {
  const Creature& pawn = creatures[i];
  const int ddx = player.x - pawn.x, ddy = player.y - pawn.y;
  int sx = sign(ddx), sy = sign(ddy);
  // A pawn captures only diagonally, and only a King that touches it.
  if (sx != 0 && sy != 0 && playerAt(player, pawn.x + sx, pawn.y + sy)) {
    if (checkMove(player, map, creatures, pawn.x + sx, pawn.y + sy, true)) {
      doMove(map, player, creatures, i, sx, sy);
    }
    return;
  }
  const bool backingOff = (std::abs(ddx) <= 2 && ddy == 0) || (ddx == 0 && std::abs(ddy) <= 2);
  if (backingOff) {
    sx = -sx;
    sy = -sy;
  }
  std::vector<MovePair> candidates;
  const auto consider = [&](int dx, int dy) {
    if (checkMove(player, map, creatures, pawn.x + dx, pawn.y + dy, false)) {
      candidates.push_back(MovePair{dx, dy});
    }
  };
  if (sx != 0) consider(sx, 0);
  if (sx == 0 && backingOff) {
    consider(-1, 0);
    consider(1, 0);
  }
  if (sy != 0) consider(0, sy);
  if (sy == 0 && backingOff) {
    consider(0, -1);
    consider(0, 1);
  }
  if (candidates.empty()) {
    for (const int d : {-1, 1}) {
      consider(d, 0);
      consider(0, d);
    }
  }
  if (candidates.empty()) return;
  const int pick = lfDice(Dicespec{1, static_cast<int>(candidates.size()), -1});
  const MovePair step = candidates[static_cast<std::size_t>(pick)];
  doMove(map, player, creatures, i, step.dx, step.dy);
}

bool checkMove(const Player& player, const Map& map, const CreatureList& creatures, int x, int y,
               bool mayCapture) {
  if (!isclear(map, x, y, Undefined())) return false;
  if (!mayCapture && playerAt(player, x, y)) return false;
  return !iscreatureAt(creatures, x, y);
}

void doMove(const Map& map, const Player& player, CreatureList& creatures, std::size_t i, int dx,
            int dy) {
  Creature& piece = creatures[i];
  const int nx = piece.x + dx, ny = piece.y + dy;
  if (nx <= 1 || nx >= map.width || ny <= 1 || ny >= map.height) return;
  const int ox = piece.x, oy = piece.y;
  piece.x = nx;
  piece.y = ny;
  showMapCell(map, player, creatures, nx, ny);
  showMapCell(map, player, creatures, ox, oy);
}

}  // namespace vh
