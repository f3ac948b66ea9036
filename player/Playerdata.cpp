#include "player/Playerdata.hpp"

#include <array>

namespace vh {
namespace {

constexpr std::array<AbilityRule, 10> abilities = {{
    {Ability::DiagonalCapture, &Kills::pawns, 10, "You gain the ability to capture diagonally!"},
    {Ability::TwoOrthogonalStep, &Kills::pawns, 50,
     "You gain the ability to move two squares orthogonally!"},
    {Ability::KnightJump, &Kills::knights, 10,
     "You gain the ability to move or capture by jumping like a knight!"},
    {Ability::Jumping, &Kills::knights, 50,
     "You can now apply your jumping ability to any of your two space moves!"},
    {Ability::DiagonalReach, &Kills::bishops, 10,
     "You gain the ability to move and capture up to two squares diagonally!"},
    {Ability::DiagonalSweep, &Kills::bishops, 50,
     "You gain the ability to capture anything in your path diagonally!"},
    {Ability::OrthogonalReach, &Kills::rooks, 10,
     "You gain the ability to move and capture up to two squares orthogonally!"},
    {Ability::OrthogonalSweep, &Kills::rooks, 50,
     "You gain the ability to capture anything in your path orthogonally!"},
    {Ability::SecondMove, &Kills::queens, 5, "You gain the ability to make two moves in a row!"},
    {Ability::ThirdMove, &Kills::queens, 10, "You gain the ability to make THREE moves in a row!"},
}};

}  // namespace

std::span<const AbilityRule> abilityTable() { return abilities; }

bool has(const Kills& kills, Ability ability) {
  const AbilityRule& rule = abilities[static_cast<std::size_t>(ability)];
  return kills.*rule.count >= rule.threshold;
}

bool playerAt(const Player& player, int x, int y) { return player.x == x && player.y == y; }

}  // namespace vh
