#include "main/Frames.hpp"

#include <string>
#include <string_view>

#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr std::string_view instructions[] = {
    "                              Vardenholt",
    "                              ----------",
    "You are the White King, former ruler of the chessboard. Your army has",
    "been defeated and the forces of the Black King are spreading across",
    "the world. The only chance left is to strike now, at the Black King's",
    "palace, to assassinate him. It will not be easy, as he is surrounded",
    "by many guards and you are not the strongest of fighters. If you can",
    "learn from his guards as you defeat them, though, you may yet succeed.",
    "",
    "Use the keyboard to move about. A summary of the movement keys is",
    "always available on the right of the screen. The colour of the keys in",
    "the summary describes what you can do in each direction. To begin",
    "with, you may only move orthogonally (horizontally and vertically),",
    "and you can capture any piece you move into. If anything captures you,",
    "of course, then your quest is a failure. Additionally, you have the",
    "special talent of being able to remain still. Other pieces may only",
    "stay still if it is impossible for them to move.",
    "",
    "A list of your captures is also on the right of the",
    "screen. Ultimately, you will finish this list with the Black King.",
    "",
    "Press '?' during play for help.",
    "",
    "                    Press any key to start playing.",
};

}  // namespace

void showInstructions() {
  int row = 0;
  for (const std::string_view line : instructions) printAt(4, row++, line);
}

int capturePoints(const Kills& k) {
  return k.pawns + 3 * k.bishops + 3 * k.knights + 5 * k.rooks + 9 * k.queens;
}

int scoreOf(const Player& player) {
  static constexpr std::array<int, 3> bonus = {0, 500, 1000};
  return bonus[static_cast<std::size_t>(outcomeOf(player))] + capturePoints(player.kills);
}

// A living King at the end of a game has captured the Black King and escaped.
Outcome outcomeOf(const Player& player) {
  if (player.alive) return Outcome::Win;
  return player.kills.king == 1 ? Outcome::Draw : Outcome::Lose;
}

HighScore showScore(const Player& player, int level) {
  static constexpr std::string_view verdicts[] = {
      "You were captured by the forces of the Black King. You lose.",
      "You captured the Black King but were captured yourself! A draw!",
      "You captured the Black King and escaped alive! You win!"};
  const std::string ruler = strRepeat('-', 70);
  const Kills& k = player.kills;
  const Outcome outcome = outcomeOf(player);
  const int score = scoreOf(player);
  clearScreen();
  printAt(4, 0, ruler);
  printAt(4, 1, verdicts[static_cast<std::size_t>(outcome)]);
  printAt(4, 2, ruler);
  printAt(4, 3, "During your quest, you captured the following opposing pieces:");
  printAt(4, 4, "Pawns:   " + std::to_string(k.pawns));
  printAt(4, 5, "Bishops: " + std::to_string(k.bishops));
  printAt(4, 6, "Knights: " + std::to_string(k.knights));
  printAt(4, 7, "Rooks:   " + std::to_string(k.rooks));
  printAt(4, 8, "Queens:  " + std::to_string(k.queens));
  printAt(4, 9, ruler);
  printAt(4, 10, "Your final score was: " + std::to_string(score));
  printAt(4, 11, ruler);
  printAt(4, 12, "High score: ");
  return HighScore{score, level, outcome};
}

void showHighScore(const HighScore& best) {
  const std::string points = std::to_string(best.score);
  switch (best.result) {
    case Outcome::Win: printAt(16, 12, "A victory with " + points + " points."); break;
    case Outcome::Draw: printAt(16, 12, "A draw with " + points + " points."); break;
    case Outcome::Lose:
      printAt(16, 12, "A loss with " + points + " points on level " + std::to_string(best.level));
      break;
  }
}

// The score screen stands whatever became of the file; the player reads why it was not kept.
void showHighScoreLost(const GameError& error) {
  constexpr std::size_t Width = 76;
  printAt(16, 12, "not recorded.");
  int row = 13;
  for (const std::string& part : wrapText(errorLine(error), Width, 2)) {
    printAtColour(4, row++, part, Colour::Red, Attribute::Bold);
  }
}

}  // namespace vh
