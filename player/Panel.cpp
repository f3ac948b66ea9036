#include "player/Panel.hpp"

#include <array>
#include <string>
#include <string_view>

#include "creatures/Creaturedata.hpp"
#include "screen/Screen.hpp"

namespace vh {
namespace {

constexpr int CountColumn = 71;
constexpr std::string_view Underline = "------------------";

// The keypad pictures the King's neighbourhood twice: vi-like keys around (64, 15) and numeric
// keys around (73, 15); each key stands where its move would take a King at the centre.
constexpr int ViCentre = 64, NumericCentre = 73, CentreRow = 15;

constexpr KeyGroup keyGroups[] = {KeyGroup::OneOrthogonal, KeyGroup::OneDiagonal,
                                  KeyGroup::TwoDiagonal,   KeyGroup::KnightJumps,
                                  KeyGroup::TwoOrthogonal, KeyGroup::Wait};

// The captures list runs pawns, bishops, knights, rooks, queens, king, each label in the colour of
// its piece and holding the piece's letter.
struct CountRow {
  std::string_view label;
  Kind kind;
};

constexpr std::array<CountRow, 6> countRows = {
    CountRow{"Pawns", Kind::Pawn},     CountRow{"Bishops", Kind::Bishop},
    CountRow{"kNights", Kind::Knight}, CountRow{"Rooks", Kind::Rook},
    CountRow{"Queens", Kind::Queen},   CountRow{"The King", Kind::King}};
constexpr int FirstCountRow = 4;

}  // namespace

void showKeys(KeyGroup group, KeyColour colour) {
  printAt(PanelColumn, ControlsRow, "Controls");
  printAt(PanelColumn, ControlsRow + 1, Underline);
  const KeyLook& look = lookOf(colour);
  for (const MoveKey& key : moveKeys()) {
    if (key.group != group) continue;
    printKeyAtColour(ViCentre + key.dx, CentreRow + key.dy, std::string(1, key.letter), look.hue,
                     look.attribute, look.plain);
    printKeyAtColour(NumericCentre + key.dx, CentreRow + key.dy, std::string(1, key.twin),
                     look.hue, look.attribute, look.plain);
  }
}

std::optional<int> keypadKeyAt(int column, int row) {
  for (const MoveKey& key : moveKeys()) {
    if (row != CentreRow + key.dy) continue;
    if (column == ViCentre + key.dx) return static_cast<unsigned char>(key.letter);
    if (column == NumericCentre + key.dx) return static_cast<unsigned char>(key.twin);
  }
  return std::nullopt;
}

void initKills() {
  printAtColour(PanelColumn, 2, "Captures", Colour::White, Attribute::Normal);
  printAtColour(PanelColumn, 3, Underline, Colour::White, Attribute::Normal);
  int row = FirstCountRow;
  for (const CountRow& count : countRows) {
    const Screencell look = kindOf(count.kind).look;
    printAtColour(PanelColumn, row, count.label, look.colour, look.attribute);
    printAtColour(CountColumn - 2, row++, ": 0", Colour::White, Attribute::Normal);
  }
}

void showKills(const Player& player) {
  int row = FirstCountRow;
  for (const CountRow& count : countRows) {
    printAt(CountColumn, row++, std::to_string(player.kills.*kindOf(count.kind).captures));
  }
}

void showKeypad(const Kills& kills) {
  for (const KeyGroup group : keyGroups) {
    if (const auto colour = keyColour(group, kills)) showKeys(group, *colour);
  }
}

void updateKeypad(const Kills& before, const Kills& after) {
  for (const KeyGroup group : keyGroups) {
    const auto colour = keyColour(group, after);
    if (colour && colour != keyColour(group, before)) showKeys(group, *colour);
  }
}

}  // namespace vh
