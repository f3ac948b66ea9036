#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

#include "player/Player.hpp"
#include "support/Board.hpp"

namespace vh {
namespace {

using board::Board;
using board::Picture;

// The King at (5, 5) with something different on each cell his moves can reach.
const Picture around = {".......",
                        "...P...",
                        "..P..P.",
                        "..P@=..",
                        "..#..=.",
                        ".....=.",
                        "......."};

constexpr bool Legal = true, Illegal = false;

struct KingsMove {
  const char* kills;  // as the panel writes them: "50N 10B"
  int key;
  bool legal;
  int dx = 0, dy = 0;
  int swept = 0;  // pieces captured on the cell in between
};
void PrintTo(const KingsMove& m, std::ostream* os) { *os << m.key << " after " << m.kills; }

const KingsMove moves[] = {
    // A new King steps one cell orthogonally, onto floor or a piece, or waits; water stops him.
    {"", 'h', Legal, -1, 0}, {"", 'j', Legal, 0, 1}, {"", 'k', Legal, 0, -1}, {"", 'l', Illegal},
    {"", '.', Legal}, {"", '5', Legal}, {"", KeyLeft, Legal, -1, 0}, {"", KeyUp, Legal, 0, -1},
    {"", KeyRight, Illegal}, {"", KeyDown, Legal, 0, 1}, {"", 'y', Illegal},
    {"", 'h' + 256, Illegal},
    // Ten pawns teach capturing diagonally; ten bishops moving there too, and two cells on.
    {"9P", 'y', Illegal}, {"10P", 'y', Legal, -1, -1}, {"10P", '9', Illegal}, {"9B", 'U', Illegal},
    {"10B", 'u', Legal, 1, -1}, {"10B", '7', Legal, -1, -1}, {"10B", 'U', Legal, 2, -2},
    {"10B", '(', Legal, 2, -2}, {"10B", 'Y', Illegal}, {"10B", 'B', Illegal}, {"10B", 'N', Illegal},
    // Fifty bishops sweep the piece in between; fifty knights jump whatever is in between.
    {"50B", 'Y', Legal, -2, -2, 1}, {"50N 10B", 'Y', Legal, -2, -2}, {"50N 10B", 'B', Legal, -2, 2},
    {"50N 50B", '&', Legal, -2, -2, 1},
    // Knight's jumps land on floor or on a piece, never in water.
    {"9N", 'q', Illegal}, {"10N", 'q', Legal, -1, -2}, {"10N", 'w', Legal, 1, -2},
    {"10N", 'e', Legal, 2, -1}, {"10N", 'd', Illegal}, {"10N", 'c', Legal, 1, 2},
    {"10N", 'x', Legal, -1, 2}, {"10N", 'z', Legal, -2, 1}, {"10N", 'a', Legal, -2, -1},
    // Two cells orthogonally: fifty pawns onto free floor only, ten rooks onto a piece as well.
    {"9R", 'K', Illegal}, {"49P", 'J', Illegal}, {"50P", 'J', Legal, 0, 2},
    {"50P", '"', Legal, 0, 2}, {"50P", 'K', Illegal}, {"50P", 'H', Illegal}, {"50P", 'L', Illegal},
    {"10R", 'K', Legal, 0, -2}, {"10R", '$', Illegal}, {"10R", '^', Illegal},
    // Fifty rooks sweep, in two half-steps even over an empty cell; fifty knights jump.
    {"50R", 'H', Legal, -2, 0, 1}, {"50R", 'J', Legal, 0, 2}, {"50N 10R", 'L', Legal, 2, 0},
    {"50N 10R", 'H', Legal, -2, 0}, {"50P 50N", 'K', Illegal}, {"50P 50N", 'L', Legal, 2, 0},
    {"50N 50R", '*', Legal, 0, -2}, {"50N 50R", 'H', Legal, -2, 0, 1},
    {"50N 50R", 'L', Legal, 2, 0},
};

std::string line(const std::string& text) { return text + std::string(80 - text.size(), ' '); }

class KingMoves : public board::OnVirtualTerminal,
                  public ::testing::WithParamInterface<KingsMove> {};

TEST_P(KingMoves, FollowTheKeysOpenedByHisCaptures) {
  const KingsMove& m = GetParam();
  Board b = Board::fromPicture(around, board::taken(m.kills));
  showmap(b.map, b.player, b.creatures);
  terminal.pressKey(m.key);
  if (m.legal) {
    movePlayer(b.player, b.map, b.creatures, 1);
  } else {
    EXPECT_THROW(movePlayer(b.player, b.map, b.creatures, 1), KeyScriptExhausted);
  }
  EXPECT_EQ(terminal.row(22), line(m.legal ? "" : "That's not a legal move."));
  EXPECT_EQ(std::pair(b.player.x, b.player.y), std::pair(5 + m.dx, 5 + m.dy));
  EXPECT_EQ(std::count_if(b.creatures.begin() + 1, b.creatures.end(),
                          [](const Creature& c) { return !c.alive; }), m.swept);
  EXPECT_EQ(b.player.message, m.swept ? "You captured a pawn! " : "");
  Picture shown, now = b.picture();
  for (int row = 1; row <= 7; ++row) shown.push_back(terminal.row(row).substr(1, 7));
  for (std::string& row : now) std::replace_if(row.begin(), row.end(), ::islower, '.');
  EXPECT_EQ(shown, now) << "every cell the move changed is redrawn";
}

INSTANTIATE_TEST_SUITE_P(Around, KingMoves, ::testing::ValuesIn(moves));

using KingsTurn = board::OnVirtualTerminal;

TEST_F(KingsTurn, NoMoveEntersTheRing) {
  Board b = Board::fromPicture(around, board::taken("60P 60N 60B 60R"));
  b.player.x = b.player.y = 2;
  for (const char key : std::string("hkybuYUBHKqwaz7&$*")) {
    terminal.pressKey(key);
    EXPECT_THROW(movePlayer(b.player, b.map, b.creatures, 1), KeyScriptExhausted) << key;
    EXPECT_EQ(std::pair(b.player.x, b.player.y), std::pair(2, 2)) << key;
  }
}

TEST_F(KingsTurn, CommandsLeaveTheMovePending) {
  Board b = Board::fromPicture(around);
  const auto pendingAfter = [&](const char* keys) {
    terminal.pressKeys(keys);
    EXPECT_THROW(movePlayer(b.player, b.map, b.creatures, 7), KeyScriptExhausted) << keys;
  };
  const auto whole = [](const VirtualTerminal& t) { return board::styled(t, 0, 23, 0, 79); };
  pendingAfter("S");
  EXPECT_TRUE(b.player.saveRequested);
  EXPECT_EQ(terminal.row(22), line("Will save and exit when you complete this turn."));
  pendingAfter("y");
  EXPECT_EQ(terminal.row(22), line("That's not a legal move."));
  printAt(0, 0, "scribbled over");
  pendingAfter("r");
  EXPECT_EQ(whole(terminal), whole(board::redrawn(b, 7, terminal)));
  pendingAfter("?");
  EXPECT_EQ(terminal.row(0), line("  Keyboard help:"));
  pendingAfter("/ ");  // the key that closes the help is not a move
  EXPECT_EQ(whole(terminal), whole(board::redrawn(b, 7, terminal)));
  terminal.pressKeys("k");
  movePlayer(b.player, b.map, b.creatures, 7);
  EXPECT_EQ(std::pair(b.player.x, b.player.y), std::pair(5, 4));
  EXPECT_TRUE(b.player.saveRequested);
}

}  // namespace
}  // namespace vh
