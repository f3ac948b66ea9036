#include "player/Redraw.hpp"

#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "player/Keys.hpp"
#include "player/Panel.hpp"
#include "screen/Display.hpp"
#include "screen/Screen.hpp"

namespace vh {
namespace {

constexpr std::string_view helpLines[] = {
    "Keyboard help:",
    "--------------",
    "The movement keys are shown on the right of the screen.",
    "For most movement, you can use either numeric or vi-like moves. Vi-like is",
    "probably easier to use in the long run, even if you might find it",
    "unfamiliar at first.",
    "The keypad is shown in various colours, depending on the type of move.",
    " Dark grey: wait without moving",
    "     White: move and capture",
    "Light grey: move but not capture",
    "    Yellow: capture but not move",
    "     Green: capture or move by jumping over intervening pieces or water.",
    "       Red: capture or move and capture any intervening pieces too.",
    "      Cyan: capture or move, capture any intervening pieces too, and jump",
    "            over water if necessary.",
    "",
    "Pressing 'r' will refresh the screen if it gets corrupted.",
    "Pressing '/' or '?' will display this help text.",
    "Pressing 'S' will save the game and exit. If you have a game saved, it will",
    "be reloaded when you start a new game. You can only have one game saved at",
    "once.",
    "",
    "Press any key to exit help and go back to the game.",
};

// Without colours the keypad tells its keys apart by attributes, which the legend names instead.
constexpr std::size_t FirstLegendRow = 7;
constexpr std::size_t LegendLabelWidth = 17;

std::vector<std::string> helpText() {
  std::vector<std::string> lines(std::begin(helpLines), std::end(helpLines));
  if (coloursShown()) return lines;
  lines[FirstLegendRow - 1] =
      "The keypad is shown in various styles, depending on the type of move.";
  std::size_t row = FirstLegendRow;
  for (const KeyLook& look : keyLooks()) {
    const std::string name = attributesName(look.plain);
    lines[row++] =
        std::string(LegendLabelWidth - name.size(), ' ') + name + ": " + std::string(look.meaning);
  }
  lines[row] =
      std::string(LegendLabelWidth + 2, ' ') + "and jump over water if necessary";
  return lines;
}

}  // namespace

void fullRefresh(const Map& map, const Player& player, const CreatureList& creatures, int level) {
  clearScreen();
  printAt(PanelColumn, 0, "Area: " + std::to_string(level));
  showmap(map, player, creatures);
  initKills();
  showKills(player);
  showKeypad(player.kills);
}

void showmap(const Map& map, const Player& player, const CreatureList& creatures) {
  showWholeMap(map, player, creatures);
  updateScreen();
}

void showHelp() {
  clearScreen();
  int row = 0;
  for (const std::string& line : helpText()) printAt(2, row++, line);
}

}  // namespace vh
