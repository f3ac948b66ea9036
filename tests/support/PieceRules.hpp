// The rules every piece keeps in every position, checked after each piece's move: the soak test
// checks them on every position its games reach, the creature tests on random boards.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "creatures/Creatures.hpp"
#include "screen/Screen.hpp"

namespace vh::rules {

// The steps a piece's rule may take from where it stands, the King's cell included when it may
// capture him there: a sliding piece stops at the first cell it cannot enter or pass, and a pawn
// steps orthogonally, except that one touching the King diagonally may only take him.
inline std::vector<MovePair> stepsOf(const Creature& piece, const Player& king, const Map& map,
                                     const CreatureList& creatures) {
  const std::string& kind = piece.name;
  const int reach = kind == "queen" ? 4 : kind == "bishop" || kind == "rook" ? 3 : 1;
  const bool pawnTouching =
      kind == "pawn" && std::abs(king.x - piece.x) == 1 && std::abs(king.y - piece.y) == 1;
  std::vector<MovePair> rays;
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      const bool diagonal = dx != 0 && dy != 0, straight = (dx == 0) != (dy == 0);
      if (pawnTouching
              ? playerAt(king, piece.x + dx, piece.y + dy)
              : (diagonal && kind != "rook" && kind != "pawn") || (straight && kind != "bishop"))
        rays.push_back({dx, dy});
    }
  }
  const std::array<MovePair, 8> jumps = KnightsMoves();
  if (kind == "knight") rays.assign(jumps.begin(), jumps.end());
  std::vector<MovePair> steps;
  for (const MovePair ray : rays) {
    for (int n = 1; n <= reach; ++n) {
      const int x = piece.x + n * ray.dx, y = piece.y + n * ray.dy;
      const bool takesKing = playerAt(king, x, y) && (kind != "pawn" || pawnTouching);
      if (!checkMove(king, map, creatures, x, y, takesKing)) break;
      steps.push_back({n * ray.dx, n * ray.dy});
      if (takesKing) break;
    }
  }
  return steps;
}

// What piece i's move from `before` to `after` broke of the rules that hold for every kind, or "".
inline std::string brokenRule(const Player& king, const Map& map, const CreatureList& before,
                              const CreatureList& after, std::size_t i) {
  const Creature &was = before[i], &is = after[i];
  const std::vector<MovePair> steps = stepsOf(was, king, map, before);
  const MovePair step{is.x - was.x, is.y - was.y}, none{0, 0};
  const auto away = [&](int x, int y) {
    return std::max(std::abs(king.x - x), std::abs(king.y - y));
  };
  // How near the King a piece that does not take him may stop while it has a step farther out.
  const int keep = was.name == "knight" || was.name == "bishop" ? 1
                   : was.name == "rook" || was.name == "queen"  ? 2
                                                                : 0;
  bool couldTake = false, couldKeepOff = false;
  for (const MovePair s : steps) {
    couldTake |= away(was.x + s.dx, was.y + s.dy) == 0;
    couldKeepOff |= away(was.x + s.dx, was.y + s.dy) > keep;
  }
  std::set<std::pair<int, int>> taken;
  for (std::size_t j = 1; j < after.size(); ++j) {
    if (j != i && after[j] != before[j]) return "another piece moved";
    if (after[j].alive && !taken.insert({after[j].x, after[j].y}).second)
      return "two live pieces share a cell";
  }
  const bool captured = away(is.x, is.y) == 0;
  if (was.name == "pawn" && captured && (step.dx == 0 || step.dy == 0))
    return "a pawn stepped onto the King orthogonally";
  if (step != none && std::ranges::find(steps, step) == steps.end())
    return "it made a step its rule does not allow";
  if (step == none && !steps.empty()) return "it stayed though it could move";
  if (!captured && couldTake) return "it let the King go though it could take him";
  if (!captured && away(is.x, is.y) <= keep && couldKeepOff)
    return "it stopped next to the King though it had a step farther away";
  const int dx = king.x - was.x, dy = king.y - was.y;
  const MovePair towards{(dx > 0) - (dx < 0), (dy > 0) - (dy < 0)};
  if (was.name == "pawn" && (dx == 0) != (dy == 0) && std::abs(dx + dy) > 2 &&
      std::ranges::find(steps, towards) != steps.end() && step != towards)
    return "a pawn in line with the King three or more cells away did not advance";
  return "";
}

// Gives every live piece its move in list order, as the pieces' turn does, drawing on `scratch`,
// and expects each move to keep the rules.
inline void expectPiecesKeepTheirRules(Terminal& scratch, const Player& king, const Map& map,
                                       CreatureList creatures) {
  const UsingTerminal drawnOn(scratch);
  for (std::size_t i = 1; i < creatures.size(); ++i) {
    const PieceKind* kind = kindNamed(creatures[i].name);
    if (!creatures[i].alive || kind == nullptr) continue;
    const CreatureList before = creatures;
    kind->move(king, map, i, creatures);
    const std::string broken = brokenRule(king, map, before, creatures, i);
    ASSERT_EQ(broken, "") << "the " << before[i].name << " at " << before[i].x << ", "
                          << before[i].y << " with the King at " << king.x << ", " << king.y;
  }
}

}  // namespace vh::rules
