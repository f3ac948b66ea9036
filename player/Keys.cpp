#include "player/Keys.hpp"

#include <array>

#include "creatures/Creatures.hpp"

namespace vh {
namespace {

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

// Without colours each look is its own mix of the attributes that every terminal with cursor
// addressing has.
constexpr std::array<KeyLook, 7> looks = {{
    {KeyColour::WaitInPlace, Colour::Black, Attribute::Bold, {false, 0, false, true},
     "wait without moving"},
    {KeyColour::MoveAndCapture, Colour::White, Attribute::Bold, {true, 0, false, false},
     "move and capture"},
    {KeyColour::MoveOnly, Colour::White, Attribute::Normal, {false, 0, false, false},
     "move but not capture"},
    {KeyColour::CaptureOnly, Colour::Yellow, Attribute::Normal, {false, 0, true, false},
     "capture but not move"},
    {KeyColour::Jumping, Colour::Green, Attribute::Normal, {true, 0, false, true},
     "capture or move by jumping over intervening pieces or water"},
    {KeyColour::Sweeping, Colour::Red, Attribute::Bold, {true, 0, true, false},
     "capture or move and capture any intervening pieces too"},
    {KeyColour::SweepingJumping, Colour::Cyan, Attribute::Bold, {false, 0, true, true},
     "capture or move, capture any intervening pieces too,"},
}};

constexpr MovePower MoveAndCapture{true, true, false, false};

// A two-cell move: ten rooks or bishops let it capture at its end, fifty its passing piece, and
// fifty knights let it jump whatever is in between.
MovePower twoCells(const Kills& kills, bool captures, Ability sweep) {
  return MovePower{true, captures, has(kills, Ability::Jumping), has(kills, sweep)};
}

// Whether the cell in between lets a two-cell move pass: always when jumping, otherwise clear
// terrain holding no piece, or a piece that the sweep captures.
bool middlePasses(const MovePower& power, const Map& map, const CreatureList& creatures, int mx,
                  int my) {
  if (power.jumps) return true;
  return isclear(map, mx, my, Undefined()) && (power.sweeps || !iscreatureAt(creatures, mx, my));
}

bool twoCellMove(KeyGroup group) {
  return group == KeyGroup::TwoDiagonal || group == KeyGroup::TwoOrthogonal;
}

}  // namespace

std::span<const MoveKey> moveKeys() { return keys; }

std::optional<MoveKey> keyNamed(int code) {
  for (const MoveKey& key : keys) {
    if (code == key.letter || code == key.twin) return key;
  }
  return std::nullopt;
}

std::optional<MovePower> powerOf(KeyGroup group, const Kills& kills) {
  switch (group) {
    case KeyGroup::OneOrthogonal: return MoveAndCapture;
    case KeyGroup::Wait: return MovePower{false, false, false, false};
    case KeyGroup::OneDiagonal:
      // Pawns teach capturing diagonally only; bishops teach moving there as well.
      if (has(kills, Ability::DiagonalReach)) return MoveAndCapture;
      if (has(kills, Ability::DiagonalCapture)) return MovePower{false, true, false, false};
      return std::nullopt;
    case KeyGroup::TwoDiagonal:
      if (has(kills, Ability::DiagonalReach)) return twoCells(kills, true, Ability::DiagonalSweep);
      return std::nullopt;
    case KeyGroup::KnightJumps:
      // A knight's jump passes over anything, and never captures on its way.
      if (has(kills, Ability::KnightJump)) return MovePower{true, true, true, false};
      return std::nullopt;
    case KeyGroup::TwoOrthogonal:
      // Fifty pawns teach stepping two cells onto a free cell; ten rooks capturing there too.
      if (has(kills, Ability::OrthogonalReach)) {
        return twoCells(kills, true, Ability::OrthogonalSweep);
      }
      if (has(kills, Ability::TwoOrthogonalStep)) {
        return twoCells(kills, false, Ability::OrthogonalSweep);
      }
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<KeyColour> keyColour(KeyGroup group, const Kills& kills) {
  const std::optional<MovePower> power = powerOf(group, kills);
  if (!power) return std::nullopt;
  if (group == KeyGroup::Wait) return KeyColour::WaitInPlace;
  if (!power->moves) return KeyColour::CaptureOnly;
  // Only a two-cell move's look tells how it passes; a step onto a free cell only says so.
  if (!power->captures) return KeyColour::MoveOnly;
  if (power->sweeps) return power->jumps ? KeyColour::SweepingJumping : KeyColour::Sweeping;
  return power->jumps ? KeyColour::Jumping : KeyColour::MoveAndCapture;
}

std::span<const KeyLook> keyLooks() { return looks; }

const KeyLook& lookOf(KeyColour colour) {
  for (const KeyLook& look : looks) {
    if (look.colour == colour) return look;
  }
  return looks[2];
}

bool isOpen(const MoveKey& move, const Player& player, const Map& map,
            const CreatureList& creatures) {
  const std::optional<MovePower> power = powerOf(move.group, player.kills);
  if (!power) return false;
  const int tx = player.x + move.dx, ty = player.y + move.dy;
  if (move.group != KeyGroup::Wait &&
      !(iscreatureAt(creatures, tx, ty) ? power->captures : power->moves)) {
    return false;
  }
  const int mx = player.x + move.dx / 2, my = player.y + move.dy / 2;
  if (twoCellMove(move.group) && !middlePasses(*power, map, creatures, mx, my)) return false;
  return isclear(map, tx, ty, Undefined());
}

std::vector<OpenMove> openMoves(const Player& player, const Map& map,
                                const CreatureList& creatures) {
  std::vector<OpenMove> open;
  for (const MoveKey& key : keys) {
    if (!isOpen(key, player, map, creatures)) continue;
    const int x = player.x + key.dx, y = player.y + key.dy;
    open.push_back(OpenMove{key, x, y, key.group != KeyGroup::Wait && iscreatureAt(creatures, x, y),
                            *keyColour(key.group, player.kills)});
  }
  return open;
}

}  // namespace vh
