// The records the game keeps on disk: a saved game and the high score.
#pragma once

#include "creatures/Creaturedata.hpp"
#include "map/Mapdata.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// The deepest area: escaping it leads to another area of the same number, so every game the
// program reaches can be saved and read back.
inline constexpr int LastArea = 1'000'000;

struct GameState {
  Map map;
  Player player;
  CreatureList creatures;
  int level;
};

enum class Outcome { Lose, Draw, Win };

struct HighScore {
  int score;
  int level;  // the area in which that game ended
  Outcome result;

  bool operator==(const HighScore&) const = default;
};

}  // namespace vh
