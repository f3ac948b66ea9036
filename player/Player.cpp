#include "player/Player.hpp"

#include <optional>

#include "player/Captures.hpp"
#include "player/Redraw.hpp"
#include "screen/Display.hpp"
#include "screen/Screen.hpp"

namespace vh {
namespace {

constexpr int NoticeLine = 3;

void carryOut(const MoveKey& move, Player& player, const Map& map, CreatureList& creatures) {
  int dx = move.dx, dy = move.dy;
  if (powerOf(move.group, player.kills)->sweeps) {
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
  // A notice may have wrapped onto the line below it, as a long error line does.
  showMessage("", NoticeLine);
  showMessage("", NoticeLine + 1);
}

// Acts on a command key other than help; false when the key is no such command.
bool runCommand(int key, Player& player, const Map& map, const CreatureList& creatures, int level) {
  switch (key) {
    case 'R':
    case 'r': fullRefresh(map, player, creatures, level); return true;
    case 'S':
      player.saveRequested = true;
      showMessage("Will save and exit when you complete this turn.", NoticeLine);
      return true;
    default: return false;
  }
}

}  // namespace

Player newplayer() { return Player{true, 2, 2, Kills{0, 0, 0, 0, 0, 0}, "", false}; }

MoveResult movePlayer(Player& player, const Map& map, CreatureList& creatures, int level,
                      int key) {
  if (key == '?' || key == '/') return MoveResult::Help;
  const bool command = runCommand(key, player, map, creatures, level);
  const std::optional<MoveKey> move = keyNamed(key);
  if (move && isOpen(*move, player, map, creatures)) {
    carryOut(*move, player, map, creatures);
    return MoveResult::Moved;
  }
  if (!command) showMessage("That's not a legal move.", NoticeLine);
  return MoveResult::Pending;
}

}  // namespace vh
