#include "player/Panel.hpp"

#include <array>
#include <string>
#include <string_view>

#include "creatures/Creaturedata.hpp"
#include "screen/Screen.hpp"

namespace vh {
namespace {

constexpr int PanelColumn = 60;
constexpr int CountColumn = 71;
constexpr std::string_view Underline = "------------------";

// The keypad pictures the King's neighbourhood twice: vi-like keys around (64, 15) and numeric
// keys around (73, 15); each key stands where its move would take a King at the centre.
constexpr int ViCentre = 64, NumericCentre = 73, CentreRow = 15;

struct KeyLook {
  Colour colour;
  Attribute attribute;
};

KeyLook lookOf(KeyColour colour) {
  switch (colour) {
    case KeyColour::MoveOnly: return {Colour::White, Attribute::Normal};
    case KeyColour::MoveAndCapture: return {Colour::White, Attribute::Bold};
    case KeyColour::Jumping: return {Colour::Green, Attribute::Normal};
    case KeyColour::Sweeping: return {Colour::Red, Attribute::Bold};
    case KeyColour::CaptureOnly: return {Colour::Yellow, Attribute::Normal};
    case KeyColour::SweepingJumping: return {Colour::Cyan, Attribute::Bold};
    case KeyColour::WaitInPlace: return {Colour::Black, Attribute::Bold};
  }
  return {Colour::White, Attribute::Normal};
}

// Two-cell keys: sweeping captures the piece in between, jumping passes over water and pieces.
KeyColour twoCellColour(const Kills& kills, Ability sweep) {
  const bool jumping = has(kills, Ability::Jumping);
  if (has(kills, sweep)) return jumping ? KeyColour::SweepingJumping : KeyColour::Sweeping;
  return jumping ? KeyColour::Jumping : KeyColour::MoveAndCapture;
}


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
  printAt(PanelColumn, 11, "Controls");
  printAt(PanelColumn, 12, Underline);
  const KeyLook look = lookOf(colour);
  for (const MoveKey& key : moveKeys()) {
    if (key.group != group) continue;
    printKeyAtColour(ViCentre + key.dx, CentreRow + key.dy, std::string(1, key.letter),
                     look.colour, look.attribute);
    printKeyAtColour(NumericCentre + key.dx, CentreRow + key.dy, std::string(1, key.twin),
                     look.colour, look.attribute);
  }
}

std::optional<KeyColour> keyColour(KeyGroup group, const Kills& kills) {
  switch (group) {
    case KeyGroup::OneOrthogonal: return KeyColour::MoveAndCapture;
    case KeyGroup::Wait: return KeyColour::WaitInPlace;
    case KeyGroup::OneDiagonal:
      if (has(kills, Ability::DiagonalReach)) return KeyColour::MoveAndCapture;
      if (has(kills, Ability::DiagonalCapture)) return KeyColour::CaptureOnly;
      return std::nullopt;
    case KeyGroup::TwoDiagonal:
      if (has(kills, Ability::DiagonalReach)) return twoCellColour(kills, Ability::DiagonalSweep);
      return std::nullopt;
    case KeyGroup::KnightJumps:
      if (has(kills, Ability::KnightJump)) return KeyColour::Jumping;
      return std::nullopt;
    case KeyGroup::TwoOrthogonal:
      if (has(kills, Ability::OrthogonalReach))
        return twoCellColour(kills, Ability::OrthogonalSweep);
      if (has(kills, Ability::TwoOrthogonalStep)) return KeyColour::MoveOnly;
      return std::nullopt;
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
