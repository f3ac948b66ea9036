#include "player/Player.hpp"

#include <array>
#include <optional>

#include "player/Captures.hpp"
#include "player/Redraw.hpp"
#include "screen/Display.hpp"
#include "screen/Screen.hpp"

namespace vh {
namespace {

constexpr int NoticeLine = 3;

// The vi-like letters are the keys around 'h', 'j', 'k' and 'l' and their capitals; the knight's
// jumps are the eight letters around 's', each in the direction of its jump.
constexpr std::array<MoveKey, 25> keys = {{
    {'h', '4', -1, 0, KeyGroup::OneOrthogonal}, {'j', '2', 0, 1, KeyGroup::OneOrthogonal},
    {'k', '8', 0, -1, KeyGroup::OneOrthogonal}, {'l', '6', 1, 0, KeyGroup::OneOrthogonal},
    {'.', '5', 0, 0, KeyGroup::Wait},           {'y', '7', -1, -1, KeyGroup::OneDiagonal},
    {'u', '9', 1, -1, KeyGroup::OneDiagonal},   {'b', '1', -1, 1, KeyGroup::OneDiagonal},
    {'n', '3', 1, 1, KeyGroup::OneDiagonal},    {'Y', '&', -2, -2, KeyGroup::TwoDiagonal},
    {'U', '(', 2, -2, KeyGroup::TwoDiagonal},   {'B', '!', -2, 2, KeyGroup::TwoDiagonal},
    {'N', '#', 2, 2, KeyGroup::TwoDiagonal},    {'q', 'q', -1, -2, KeyGroup::KnightJumps},
    {'w', 'w', 1, -2, KeyGroup::KnightJumps},   {'e', 'e', 2, -1, KeyGroup::KnightJumps},
    {'d', 'd', 2, 1, KeyGroup::KnightJumps},    {'c', 'c', 1, 2, KeyGroup::KnightJumps},
    {'x', 'x', -1, 2, KeyGroup::KnightJumps},   {'z', 'z', -2, 1, KeyGroup::KnightJumps},
    {'a', 'a', -2, -1, KeyGroup::KnightJumps},  {'H', '$', -2, 0, KeyGroup::TwoOrthogonal},
    {'J', '"', 0, 2, KeyGroup::TwoOrthogonal},  {'K', '*', 0, -2, KeyGroup::TwoOrthogonal},
    {'L', '^', 2, 0, KeyGroup::TwoOrthogonal},
}};

// Whether the cell in between lets a two-cell move pass: always when jumping, otherwise clear
// terrain holding no piece, or a piece that the sweep captures.
bool middlePasses(const Kills& kills, const Map& map, const CreatureList& creatures, int mx, int my,
                  Ability sweep) {
  if (has(kills, Ability::Jumping)) return true;
  return isclear(map, mx, my, Undefined()) &&
         (has(kills, sweep) || !iscreatureAt(creatures, mx, my));
}

bool isLegal(const MoveKey& move, const Player& player, const Map& map,
             const CreatureList& creatures) {
  const Kills& k = player.kills;
  const int tx = player.x + move.dx, ty = player.y + move.dy;
  const int mx = player.x + move.dx / 2, my = player.y + move.dy / 2;
  bool ok = false;
  switch (move.group) {
    case KeyGroup::OneOrthogonal:
    case KeyGroup::Wait: ok = true; break;
    case KeyGroup::OneDiagonal:
      // Pawns teach capturing diagonally only; bishops teach moving there as well.
      ok = has(k, Ability::DiagonalReach) ||
           (has(k, Ability::DiagonalCapture) && iscreatureAt(creatures, tx, ty));
      break;
    case KeyGroup::TwoDiagonal:
      ok = has(k, Ability::DiagonalReach) &&
           middlePasses(k, map, creatures, mx, my, Ability::DiagonalSweep);
      break;
    case KeyGroup::KnightJumps: ok = has(k, Ability::KnightJump); break;
    case KeyGroup::TwoOrthogonal:
      // Fifty pawns teach stepping two cells onto a free cell; ten rooks capturing there too.
      ok = (has(k, Ability::OrthogonalReach) ||
            (has(k, Ability::TwoOrthogonalStep) && !iscreatureAt(creatures, tx, ty))) &&
           middlePasses(k, map, creatures, mx, my, Ability::OrthogonalSweep);
      break;
  }
  return ok && isclear(map, tx, ty, Undefined());
}

// Only two-cell moves sweep; a knight's jump never does.
bool sweeps(const MoveKey& move, const Kills& kills) {
  switch (move.group) {
    case KeyGroup::TwoDiagonal: return has(kills, Ability::DiagonalSweep);
    case KeyGroup::TwoOrthogonal: return has(kills, Ability::OrthogonalSweep);
    default: return false;
  }
}

void carryOut(const MoveKey& move, Player& player, const Map& map, CreatureList& creatures) {
  int dx = move.dx, dy = move.dy;
  if (sweeps(move, player.kills)) {
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

std::span<const MoveKey> moveKeys() { return keys; }

std::optional<MoveKey> keyNamed(int code) {
  for (const MoveKey& key : keys) {
    if (code == key.letter || code == key.twin) return key;
  }
  return std::nullopt;
}

Player newplayer() { return Player{true, 2, 2, Kills{0, 0, 0, 0, 0, 0}, "", false}; }

void movePlayer(Player& player, const Map& map, CreatureList& creatures, int level) {
  for (;;) {
    const int key = readChar();
    const bool command = runCommand(key, player, map, creatures, level);
    const std::optional<MoveKey> move = keyNamed(key);
    if (move && isLegal(*move, player, map, creatures)) {
      carryOut(*move, player, map, creatures);
      return;
    }
    if (!command) showMessage("That's not a legal move.", NoticeLine);
  }
}

}  // namespace vh
