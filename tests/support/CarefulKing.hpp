// Test support for long games: a careful player, who looks one turn ahead, and the key he presses.
// threatsOn() counts the pieces that could take the King where he stands, stepsToExit() measures
// the way out by his own moves, and carefulKey() picks among the moves open to him.
#pragma once

#include <climits>
#include <deque>
#include <tuple>
#include <utility>
#include <vector>

#include "player/Keys.hpp"
#include "support/PieceRules.hpp"

namespace vh {

// How many pieces could take the King in their next move where he stands, the piece on his cell
// left out. Each is judged as if it stood alone, since the pieces that move before it in the
// turn may step out of its way.
inline int threatsOn(const Player& king, const Map& map, const CreatureList& creatures) {
  int threats = 0;
  for (const Creature& piece : piecesOf(creatures)) {
    if (!piece.alive || playerAt(king, piece.x, piece.y)) continue;
    CreatureList alone;
    appendCreature(alone, piece);
    for (const MovePair step : rules::stepsOf(piece, king, map, alone)) {
      if (playerAt(king, piece.x + step.dx, piece.y + step.dy)) {
        ++threats;
        break;
      }
    }
  }
  return threats;
}

// The fewest moves onto free cells that take the King from each cell (x, y), as [x][y], to the
// exit with the captures he has, pieces left out; INT_MAX where he cannot reach it.
inline std::vector<std::vector<int>> stepsToExit(const Map& map, const Kills& kills) {
  std::vector distance(map.width + 1, std::vector<int>(map.height + 1, INT_MAX));
  std::deque<std::pair<int, int>> reached{{map.width - 1, map.height - 1}};
  distance[map.width - 1][map.height - 1] = 0;
  const CreatureList none;
  // Every move group holds the reverse of each of its moves, so the way out read backwards from
  // the exit is the way there.
  for (; !reached.empty(); reached.pop_front()) {
    const auto [x, y] = reached.front();
    const Player from{true, x, y, kills, "", false};
    for (const MoveKey& key : moveKeys()) {
      if (key.group == KeyGroup::Wait || !isOpen(key, from, map, none)) continue;
      int& next = distance[x + key.dx][y + key.dy];
      if (next == INT_MAX) {
        next = distance[x][y] + 1;
        reached.push_back({x + key.dx, y + key.dy});
      }
    }
  }
  return distance;
}

// The key of the move that leaves the fewest pieces able to take him; among those a capture, then
// the move nearest the exit, waiting rather than stepping aside. Ties go to the first key.
inline int carefulKey(const Player& king, const Map& map, const CreatureList& creatures) {
  const std::vector<std::vector<int>> distance = stepsToExit(map, king.kills);
  std::tuple<int, bool, int, bool> best{INT_MAX, true, INT_MAX, true};
  int key = '.';
  for (const OpenMove& move : openMoves(king, map, creatures)) {
    Player moved = king;
    moved.x = move.x;
    moved.y = move.y;
    const std::tuple<int, bool, int, bool> rank{threatsOn(moved, map, creatures), !move.captures,
                                                distance[move.x][move.y],
                                                move.key.group != KeyGroup::Wait};
    if (rank < best) best = rank, key = move.key.letter;
  }
  return key;
}

}  // namespace vh
