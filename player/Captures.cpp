#include "player/Captures.hpp"

#include <string>

#include "player/Panel.hpp"
#include "screen/Display.hpp"

namespace vh {
namespace {

constexpr int AbilityLine = 2;
constexpr int BlackKingLine = 4;

// Counts a captured piece. Each ability is announced once, at the capture that opens it, and the
// keypad is recoloured to what a full redraw from the new counts would show.
void count(Kills& kills, const PieceKind& kind) {
  if (kind.kind == Kind::King) {
    kills.king = 1;  // there is only one Black King, however many stand in a damaged saved game
    showMessage("You have captured the Black King. Escape this area to win the game!",
                BlackKingLine);
    return;
  }
  const Kills before = kills;
  int& captured = kills.*kind.captures;
  if (captured < MaxCaptures) ++captured;
  for (const AbilityRule& rule : abilityTable()) {
    if (!has(before, rule.ability) && has(kills, rule.ability)) {
      showMessage(rule.announcement, AbilityLine);
    }
  }
  updateKeypad(before, kills);
}

}  // namespace

bool checkCreatureKill(Player& player, CreatureList& creatures) {
  bool captured = false;
  for (Creature& piece : piecesOf(creatures)) {
    if (!piece.alive || !playerAt(player, piece.x, piece.y)) continue;
    piece.alive = false;
    captured = true;
    const PieceKind* kind = kindNamed(piece.name);
    if (kind != nullptr) count(player.kills, *kind);
    const bool blackKing = kind == &kindOf(Kind::King);
    player.message = (blackKing ? "You captured the " : "You captured a ") + piece.name + "! ";
  }
  return captured;
}

void checkPlayerKill(Player& player, const CreatureList& creatures) {
  for (const Creature& piece : piecesOf(creatures)) {
    if (!piece.alive || !playerAt(player, piece.x, piece.y)) continue;
    player.alive = false;
    player.message += "You were captured by a " + piece.name + ". Checkmate.";
  }
}

}  // namespace vh
