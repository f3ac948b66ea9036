#include <gtest/gtest.h>

#include <string>

#include "player/Captures.hpp"
#include "support/Board.hpp"

namespace vh {
namespace {

using board::Board;

std::string line(const std::string& text) { return text + std::string(80 - text.size(), ' '); }

// The King with pieces on his own cell, the captured ones after the living.
Board kingOn(std::initializer_list<Creature> pieces, Kills kills = {}) {
  Board b = Board::fromPicture({"@."}, kills);
  for (Creature piece : pieces) {
    piece.x = piece.y = 2;
    appendCreature(b.creatures, piece);
  }
  return b;
}

Creature captured(Creature piece) {
  piece.alive = false;
  return piece;
}

struct Threshold {
  Creature (*kind)();
  int Kills::*count;
  int before;
  const char* announcement;
};

const Threshold thresholds[] = {
    {Pawn, &Kills::pawns, 9, "You gain the ability to capture diagonally!"},
    {Pawn, &Kills::pawns, 10, ""},
    {Pawn, &Kills::pawns, 49, "You gain the ability to move two squares orthogonally!"},
    {Knight, &Kills::knights, 9,
     "You gain the ability to move or capture by jumping like a knight!"},
    {Knight, &Kills::knights, 49,
     "You can now apply your jumping ability to any of your two space moves!"},
    {Bishop, &Kills::bishops, 9,
     "You gain the ability to move and capture up to two squares diagonally!"},
    {Bishop, &Kills::bishops, 49,
     "You gain the ability to capture anything in your path diagonally!"},
    {Rook, &Kills::rooks, 9,
     "You gain the ability to move and capture up to two squares orthogonally!"},
    {Rook, &Kills::rooks, 49,
     "You gain the ability to capture anything in your path orthogonally!"},
    {Queen, &Kills::queens, 4, "You gain the ability to make two moves in a row!"},
    {Queen, &Kills::queens, 9, "You gain the ability to make THREE moves in a row!"},
    {Queen, &Kills::queens, 10, ""},
};

using Captures = board::OnVirtualTerminal;

TEST_F(Captures, AnAbilityIsAnnouncedOnLineTwoAtTheCaptureThatOpensIt) {
  for (const Threshold& t : thresholds) {
    Kills before{}, after{};
    before.*t.count = t.before;
    after.*t.count = t.before + 1;
    Board b = kingOn({t.kind()}, before);
    clearScreen();
    EXPECT_TRUE(checkCreatureKill(b.player, b.creatures));
    EXPECT_FALSE(b.creatures[1].alive);
    EXPECT_EQ(b.player.kills, after);
    EXPECT_EQ(terminal.row(21), line(t.announcement)) << t.kind().name << " " << t.before;
    EXPECT_EQ(b.player.message, "You captured a " + t.kind().name + "! ");
  }
}

TEST_F(Captures, APieceOnTheKingsCellAddsCheckmateToHisOwnCapture) {
  Board b = kingOn({King(), captured(Rook())});
  EXPECT_TRUE(checkCreatureKill(b.player, b.creatures));
  EXPECT_EQ(b.player.kills, board::taken("1K"));
  EXPECT_EQ(terminal.row(23),
            line("You have captured the Black King. Escape this area to win the game!"));
  EXPECT_FALSE(checkCreatureKill(b.player, b.creatures)) << "captured pieces are left alone";
  checkPlayerKill(b.player, b.creatures);
  EXPECT_TRUE(b.player.alive);
  b.creatures.push_back(Knight());
  b.creatures.back().x = b.creatures.back().y = 2;
  checkPlayerKill(b.player, b.creatures);
  EXPECT_FALSE(b.player.alive);
  EXPECT_EQ(b.player.message, "You captured the king! You were captured by a knight. Checkmate.");
}

// Whatever the King had captured before, the keypad after a capture is the one a full redraw
// draws from the new counts, characters and colours alike.
TEST_F(Captures, TheKeypadAfterACaptureIsTheOneAFullRedrawDraws) {
  const auto keypad = [](const VirtualTerminal& t) { return board::styled(t, 11, 17, 60, 79); };
  int Kills::*const fields[] = {&Kills::pawns, &Kills::knights, &Kills::bishops, &Kills::rooks};
  const int counts[] = {0, 9, 10, 49, 50};
  for (const Threshold& t : thresholds) {
    for (int mix = 0; mix < 5 * 5 * 5 * 5; ++mix) {
      Kills kills{};
      for (int f = 0, rest = mix; f < 4; ++f, rest /= 5) kills.*fields[f] = counts[rest % 5];
      kills.*t.count = t.before;
      Board b = kingOn({t.kind()}, kills);
      fullRefresh(b.map, b.player, b.creatures, 1);
      checkCreatureKill(b.player, b.creatures);
      ASSERT_EQ(keypad(terminal), keypad(board::redrawn(b, 1, terminal)))
          << "a " << t.kind().name << " taken after " << kills.pawns << "P " << kills.knights
          << "N " << kills.bishops << "B " << kills.rooks << "R";
    }
  }
}

}  // namespace
}  // namespace vh
