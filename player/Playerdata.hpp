// The White King's record, his capture counts, and whether he stands on a cell.
#pragma once

#include <string>

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

// Whether the King stands on (x, y), alive or not.
bool playerAt(const Player& player, int x, int y);

}  // namespace vh
