#include "main/Instructions.hpp"

#include <array>
#include <string_view>

#include "screen/Screen.hpp"

namespace vh {
namespace {

constexpr std::array<std::string_view, 24> instructions = {
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
  for (std::size_t row = 0; row < instructions.size(); ++row) {
    if (!instructions[row].empty()) printAt(4, static_cast<int>(row), instructions[row]);
  }
  waitChar();
}

}  // namespace vh
