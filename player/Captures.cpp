#include "player/Captures.hpp"

#include <string>

#include "player/Panel.hpp"
#include "screen/Display.hpp"

namespace vh {
namespace {

constexpr int AbilityLine = 2;
constexpr int BlackKingLine = 4;

void announce(const char* text) { showMessage(text, AbilityLine); }

void countOne(int& count) {
  if (count < MaxCaptures) ++count;
}

// Each announcement comes once, at the capture that reaches its count. The keypad is recoloured
// to what a full redraw would show, never turning a better colour into a weaker one.
void capturePawn(Kills& kills) {
  countOne(kills.pawns);
  if (kills.pawns == 10) {
    announce("You gain the ability to capture diagonally!");
    if (kills.bishops <= 9) showKeys(KeyGroup::OneDiagonal, KeyColour::CaptureOnly);
  }
  if (kills.pawns == 50) {
    announce("You gain the ability to move two squares orthogonally!");
    if (kills.rooks <= 9) showKeys(KeyGroup::TwoOrthogonal, KeyColour::MoveOnly);
  }
}

void captureKnight(Kills& kills) {
  countOne(kills.knights);
  if (kills.knights == 10) {
    announce("You gain the ability to move or capture by jumping like a knight!");
    showKeys(KeyGroup::KnightJumps, KeyColour::Jumping);
  }
  if (kills.knights == 50) {
    announce("You can now apply your jumping ability to any of your two space moves!");
    if (kills.bishops >= 10)
      showKeys(KeyGroup::TwoDiagonal, twoCellColour(kills.bishops >= 50, true));
    if (kills.rooks >= 10)
      showKeys(KeyGroup::TwoOrthogonal, twoCellColour(kills.rooks >= 50, true));
  }
}

void captureBishop(Kills& kills) {
  countOne(kills.bishops);
  const bool jumping = kills.knights >= 50;
  if (kills.bishops == 10) {
    announce("You gain the ability to move and capture up to two squares diagonally!");
    showKeys(KeyGroup::OneDiagonal, KeyColour::MoveAndCapture);
    showKeys(KeyGroup::TwoDiagonal, twoCellColour(false, jumping));
  }
  if (kills.bishops == 50) {
    announce("You gain the ability to capture anything in your path diagonally!");
    showKeys(KeyGroup::TwoDiagonal, twoCellColour(true, jumping));
  }
}

void captureRook(Kills& kills) {
  countOne(kills.rooks);
  const bool jumping = kills.knights >= 50;
  if (kills.rooks == 10) {
    announce("You gain the ability to move and capture up to two squares orthogonally!");
    showKeys(KeyGroup::TwoOrthogonal, twoCellColour(false, jumping));
  }
  if (kills.rooks == 50) {
    announce("You gain the ability to capture anything in your path orthogonally!");
    showKeys(KeyGroup::TwoOrthogonal, twoCellColour(true, jumping));
  }
}

void captureQueen(Kills& kills) {
  countOne(kills.queens);
  if (kills.queens == 5) announce("You gain the ability to make two moves in a row!");
  if (kills.queens == 10) announce("You gain the ability to make THREE moves in a row!");
}

void captureKing(Kills& kills) {
  kills.king = 1;  // there is only one Black King, however many stand in a damaged saved game
  showMessage("You have captured the Black King. Escape this area to win the game!", BlackKingLine);
}

void count(Kills& kills, const std::string& name) {
  if (name == "pawn") {
    capturePawn(kills);
  } else if (name == "knight") {
    captureKnight(kills);
  } else if (name == "bishop") {
    captureBishop(kills);
  } else if (name == "rook") {
    captureRook(kills);
  } else if (name == "queen") {
    captureQueen(kills);
  } else if (name == "king") {
    captureKing(kills);
  }
}

}  // namespace

bool checkCreatureKill(Player& player, CreatureList& creatures) {
  bool captured = false;
  for (std::size_t i = 1; i < creatures.size(); ++i) {
    Creature& piece = creatures[i];
    if (!piece.alive || !playerAt(player, piece.x, piece.y)) continue;
    piece.alive = false;
    captured = true;
    count(player.kills, piece.name);
    player.message =
        (piece.name == "king" ? "You captured the " : "You captured a ") + piece.name + "! ";
  }
  return captured;
}

void checkPlayerKill(Player& player, const CreatureList& creatures) {
  for (std::size_t i = 1; i < creatures.size(); ++i) {
    const Creature& piece = creatures[i];
    if (!piece.alive || !playerAt(player, piece.x, piece.y)) continue;
    player.alive = false;
    player.message += "You were captured by a " + piece.name + ". Checkmate.";
  }
}

}  // namespace vh
