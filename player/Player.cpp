#include "player/Player.hpp"

#include "screen/Display.hpp"
#include "screen/Screen.hpp"

namespace vh {

Player newplayer() { return Player{true, 2, 2, Kills{0, 0, 0, 0, 0, 0}, "", false}; }

void showmap(const Map& map, const Player& player, const CreatureList& creatures) {
  for (int x = 1; x <= map.width; ++x) {
    for (int y = 1; y <= map.height; ++y) showMapCell(map, player, creatures, x, y);
  }
  updateScreen();
}

}  // namespace vh
