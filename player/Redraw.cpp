#include "player/Redraw.hpp"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "player/Panel.hpp"
#include "screen/Display.hpp"
#include "screen/Screen.hpp"

namespace vh {
namespace {

// The keypad groups that the capture counts open, in the colours of what they allow.
void showEarnedKeys(const Kills& kills) {
  const bool jumping = kills.knights >= 50;
  if (kills.pawns >= 10 && kills.bishops <= 9)
    showKeys(KeyGroup::OneDiagonal, KeyColour::CaptureOnly);
  if (kills.pawns >= 50 && kills.rooks <= 9) showKeys(KeyGroup::TwoOrthogonal, KeyColour::MoveOnly);
  if (kills.knights >= 10) showKeys(KeyGroup::KnightJumps, KeyColour::Jumping);
  if (kills.bishops >= 10) {
    showKeys(KeyGroup::OneDiagonal, KeyColour::MoveAndCapture);
    showKeys(KeyGroup::TwoDiagonal, twoCellColour(kills.bishops >= 50, jumping));
  }
  if (kills.rooks >= 10) {
    showKeys(KeyGroup::TwoOrthogonal, twoCellColour(kills.rooks >= 50, jumping));
  }
}

constexpr std::array<std::string_view, 23> helpLines = {
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
struct LegendEntry {
  Colour colour;
  Attribute attribute;
  std::string_view meaning;
};

constexpr std::array<LegendEntry, 7> attributeLegend = {{
    {Colour::Black, Attribute::Bold, "wait without moving"},
    {Colour::White, Attribute::Bold, "move and capture"},
    {Colour::White, Attribute::Normal, "move but not capture"},
    {Colour::Yellow, Attribute::Normal, "capture but not move"},
    {Colour::Green, Attribute::Normal,
     "capture or move by jumping over intervening pieces or water"},
    {Colour::Red, Attribute::Bold, "capture or move and capture any intervening pieces too"},
    {Colour::Cyan, Attribute::Bold, "capture or move, capture any intervening pieces too,"},
}};
constexpr std::size_t FirstLegendRow = 7;
constexpr std::size_t LegendLabelWidth = 17;

std::vector<std::string> helpText() {
  std::vector<std::string> lines(helpLines.begin(), helpLines.end());
  if (coloursShown()) return lines;
  lines[FirstLegendRow - 1] =
      "The keypad is shown in various styles, depending on the type of move.";
  for (std::size_t i = 0; i < attributeLegend.size(); ++i) {
    const LegendEntry& entry = attributeLegend[i];
    const std::string name = keyAttributesName(entry.colour, entry.attribute);
    lines[FirstLegendRow + i] =
        std::string(LegendLabelWidth - name.size(), ' ') + name + ": " + std::string(entry.meaning);
  }
  lines[FirstLegendRow + attributeLegend.size()] =
      std::string(LegendLabelWidth + 2, ' ') + "and jump over water if necessary";
  return lines;
}

}  // namespace

void fullRefresh(const Map& map, const Player& player, const CreatureList& creatures, int level) {
  clearScreen();
  printAt(60, 0, "Area: " + std::to_string(level));
  showmap(map, player, creatures);
  showKeys(KeyGroup::OneOrthogonal, KeyColour::MoveAndCapture);
  showKeys(KeyGroup::Wait, KeyColour::WaitInPlace);
  initKills();
  showKills(player);
  showEarnedKeys(player.kills);
}

void showmap(const Map& map, const Player& player, const CreatureList& creatures) {
  for (int x = 1; x <= map.width; ++x) {
    for (int y = 1; y <= map.height; ++y) showMapCell(map, player, creatures, x, y);
  }
  updateScreen();
}

void showHelp() {
  clearScreen();
  const std::vector<std::string> lines = helpText();
  for (std::size_t row = 0; row < lines.size(); ++row) {
    if (!lines[row].empty()) printAt(2, static_cast<int>(row), lines[row]);
  }
  waitChar();
}

}  // namespace vh
