// The White King's record, his capture counts, the abilities they open, and whether he stands on
// a cell.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vh {

// Capture counts stop here, so every count a game reaches can be saved and read back.
inline constexpr int MaxCaptures = 1'000'000;

// Pieces captured so far in this game. Abilities are read off these counts, never stored.
struct Kills {
  int pawns;
  int knights;
  int bishops;
  int rooks;
  int queens;
  int king;

  bool operator==(const Kills&) const = default;
};

struct Player {
  bool alive;
  int x;
  int y;
  Kills kills;
  std::string message;  // this move's captures, shown on message line 0
  bool saveRequested;

  bool operator==(const Player&) const = default;
};

// The King's abilities: each opens when the count of one kind of captured piece reaches its
// threshold. The table of abilities is the one place where the thresholds are written; abilities
// are never stored but read off the counts whenever they are needed.
enum class Ability {
  DiagonalCapture,    // one step diagonally, onto a piece only
  TwoOrthogonalStep,  // two cells orthogonally, onto a free cell only
  KnightJump,         // the eight knight's jumps, move or capture
  Jumping,            // every two-cell move passes whatever lies on the cell in between
  DiagonalReach,      // one or two cells diagonally, move or capture
  DiagonalSweep,      // a two-cell diagonal move captures the piece it passes
  OrthogonalReach,    // two cells orthogonally, move or capture
  OrthogonalSweep,    // a two-cell orthogonal move captures the piece it passes
  SecondMove,         // two moves in each turn
  ThirdMove,          // three moves in each turn
};

// One ability: the count that opens it, from how many captures, and what the King is told then.
struct AbilityRule {
  Ability ability;
  int Kills::*count;
  int threshold;
  std::string_view announcement;
};

// Every ability, in the order of the enumeration.
std::span<const AbilityRule> abilityTable();

// Whether the counts give the King the ability.
bool has(const Kills& kills, Ability ability);

// Whether the King stands on (x, y), alive or not.
bool playerAt(const Player& player, int x, int y);

}  // namespace vh
