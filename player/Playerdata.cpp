#include "player/Playerdata.hpp"

namespace vh {

bool playerAt(const Player& player, int x, int y) { return player.x == x && player.y == y; }

}  // namespace vh
