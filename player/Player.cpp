#include "player/Player.hpp"

#include <array>
#include <cstdlib>
#include <optional>

#include "player/Captures.hpp"
#include "player/Redraw.hpp"
#include "screen/Display.hpp"
#include "screen/Screen.hpp"

namespace vh {
namespace {

constexpr int NoticeLine = 3;

enum class MoveKind { OneOrthogonal, Wait, OneDiagonal, TwoDiagonal, KnightJump, TwoOrthogonal };

// A row of the key table: the vi-like letter, its numeric-keypad twin (none for knight's jumps)
// and the offset it names.
struct KeyMove {
  char letter;
  char twin;
  int dx, dy;
  MoveKind kind;
};

constexpr std::array<KeyMove, 25> keyTable = {{
    {'h', '4', -1, 0, MoveKind::OneOrthogonal}, {'j', '2', 0, 1, MoveKind::OneOrthogonal},
    {'k', '8', 0, -1, MoveKind::OneOrthogonal}, {'l', '6', 1, 0, MoveKind::OneOrthogonal},
    {'.', '5', 0, 0, MoveKind::Wait},           {'y', '7', -1, -1, MoveKind::OneDiagonal},
    {'u', '9', 1, -1, MoveKind::OneDiagonal},   {'b', '1', -1, 1, MoveKind::OneDiagonal},
    {'n', '3', 1, 1, MoveKind::OneDiagonal},    {'Y', '&', -2, -2, MoveKind::TwoDiagonal},
    {'U', '(', 2, -2, MoveKind::TwoDiagonal},   {'B', '!', -2, 2, MoveKind::TwoDiagonal},
    {'N', '#', 2, 2, MoveKind::TwoDiagonal},    {'q', 0, -1, -2, MoveKind::KnightJump},
    {'w', 0, 1, -2, MoveKind::KnightJump},      {'e', 0, 2, -1, MoveKind::KnightJump},
    {'d', 0, 2, 1, MoveKind::KnightJump},       {'c', 0, 1, 2, MoveKind::KnightJump},
    {'x', 0, -1, 2, MoveKind::KnightJump},      {'z', 0, -2, 1, MoveKind::KnightJump},
    {'a', 0, -2, -1, MoveKind::KnightJump},     {'H', '$', -2, 0, MoveKind::TwoOrthogonal},
    {'J', '"', 0, 2, MoveKind::TwoOrthogonal},  {'K', '*', 0, -2, MoveKind::TwoOrthogonal},
    {'L', '^', 2, 0, MoveKind::TwoOrthogonal},
}};

// Only single-byte key codes can name a move; codes above 255 are never mistaken for one.
std::optional<KeyMove> lookUp(int key) {
  if (key <= 0 || key > 255) return std::nullopt;
  for (const KeyMove& move : keyTable) {
    if (key == static_cast<unsigned char>(move.letter) ||
        (move.twin != 0 && key == static_cast<unsigned char>(move.twin))) {
      return move;
    }
  }
  return std::nullopt;
}

// The abilities of this move, read off the counts when the move begins.
struct Abilities {
  bool jumping;          // two-cell moves ignore the cell in between
  bool sweepOrthogonal;  // a two-cell orthogonal move captures the piece in between
  bool sweepDiagonal;    // a two-cell diagonal move captures the piece in between
  bool reachOrthogonal;  // a two-cell orthogonal move may capture on its target
};

Abilities abilitiesOf(const Kills& kills) {
  return Abilities{kills.knights >= 50, kills.rooks >= 50, kills.bishops >= 50, kills.rooks >= 10};
}

// Whether the cell in between lets a two-cell move pass: always when jumping, otherwise clear
// terrain holding no piece, or a piece that the sweep captures.
bool middlePasses(const Map& map, const CreatureList& creatures, int mx, int my, bool jumping,
                  bool sweeping) {
  if (jumping) return true;
  return isclear(map, mx, my, Undefined()) && (sweeping || !iscreatureAt(creatures, mx, my));
}

bool isLegal(const KeyMove& move, const Player& player, const Map& map,
             const CreatureList& creatures, const Abilities& can) {
  const Kills& k = player.kills;
  const int tx = player.x + move.dx, ty = player.y + move.dy;
  const int mx = player.x + move.dx / 2, my = player.y + move.dy / 2;
  bool ok = false;
  switch (move.kind) {
    case MoveKind::OneOrthogonal:
    case MoveKind::Wait: ok = true; break;
    case MoveKind::OneDiagonal:
      // Pawns teach capturing diagonally only; bishops teach moving there as well.
      ok = (k.pawns >= 10 || k.bishops >= 10) &&
           (k.bishops >= 10 || iscreatureAt(creatures, tx, ty));
      break;
    case MoveKind::TwoDiagonal:
      ok = k.bishops >= 10 && middlePasses(map, creatures, mx, my, can.jumping, can.sweepDiagonal);
      break;
    case MoveKind::KnightJump: ok = k.knights >= 10; break;
    case MoveKind::TwoOrthogonal:
      ok = (k.rooks >= 10 || k.pawns >= 50) &&
           middlePasses(map, creatures, mx, my, can.jumping, can.sweepOrthogonal) &&
           (can.reachOrthogonal || !iscreatureAt(creatures, tx, ty));
      break;
  }
  return ok && isclear(map, tx, ty, Undefined());
}

bool sweeps(const KeyMove& move, const Abilities& can) {
  const int ax = std::abs(move.dx), ay = std::abs(move.dy);
  return (can.sweepOrthogonal && ((ax == 2 && ay == 0) || (ax == 0 && ay == 2))) ||
         (can.sweepDiagonal && ax == 2 && ay == 2);
}

void carryOut(const KeyMove& move, Player& player, const Map& map, CreatureList& creatures,
              const Abilities& can) {
  int dx = move.dx, dy = move.dy;
  if (sweeps(move, can)) {
    // A sweep goes in two half-steps and captures whatever stands on the cell in between.
    dx /= 2;
    dy /= 2;
    player.x += dx;
    player.y += dy;
    checkCreatureKill(player, creatures);
    showMapCell(map, player, creatures, player.x - dx, player.y - dy);
  }
  player.x += dx;
  player.y += dy;
  showMapCell(map, player, creatures, player.x, player.y);
  showMapCell(map, player, creatures, player.x - dx, player.y - dy);
  showMessage("", NoticeLine);
}

// Acts on a command key; false when the key is not a command.
bool runCommand(int key, Player& player, const Map& map, const CreatureList& creatures, int level) {
  switch (key) {
    case 'R':
    case 'r': fullRefresh(map, player, creatures, level); return true;
    case '?':
    case '/':
      showHelp();
      fullRefresh(map, player, creatures, level);
      return true;
    case 'S':
      player.saveRequested = true;
      showMessage("Will save and exit when you complete this turn.", NoticeLine);
      return true;
    default: return false;
  }
}

}  // namespace

Player newplayer() { return Player{true, 2, 2, Kills{0, 0, 0, 0, 0, 0}, "", false}; }

void movePlayer(Player& player, const Map& map, CreatureList& creatures, int level) {
  const Abilities can = abilitiesOf(player.kills);
  for (;;) {
    const int key = readChar();
    const bool command = runCommand(key, player, map, creatures, level);
    const std::optional<KeyMove> move = lookUp(key);
    if (move && isLegal(*move, player, map, creatures, can)) {
      carryOut(*move, player, map, creatures, can);
      return;
    }
    if (!command) showMessage("That's not a legal move.", NoticeLine);
  }
}

}  // namespace vh
