#include "player/Panel.hpp"

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "screen/Screen.hpp"

namespace vh {
namespace {

constexpr int PanelColumn = 60;
constexpr int CountColumn = 71;
constexpr std::string_view Underline = "------------------";

struct KeyCell {
  char key;
  int column, row;
};

// The keypad pictures the King's neighbourhood twice: vi-like keys around (64, 15) and numeric
// keys around (73, 15); each key stands where its move would take a King at the centre.
constexpr int ViCentre = 64, NumericCentre = 73, CentreRow = 15;

constexpr KeyCell vi(char key, int dx, int dy) { return {key, ViCentre + dx, CentreRow + dy}; }
constexpr KeyCell numeric(char key, int dx, int dy) {
  return {key, NumericCentre + dx, CentreRow + dy};
}

const std::array<KeyCell, 8> oneOrthogonal = {
    vi('k', 0, -1),      vi('h', -1, 0),      vi('l', 1, 0),      vi('j', 0, 1),
    numeric('8', 0, -1), numeric('4', -1, 0), numeric('6', 1, 0), numeric('2', 0, 1)};
const std::array<KeyCell, 8> oneDiagonal = {
    vi('y', -1, -1),      vi('u', 1, -1),      vi('b', -1, 1),      vi('n', 1, 1),
    numeric('7', -1, -1), numeric('9', 1, -1), numeric('1', -1, 1), numeric('3', 1, 1)};
const std::array<KeyCell, 8> twoDiagonal = {
    vi('Y', -2, -2),      vi('U', 2, -2),      vi('B', -2, 2),      vi('N', 2, 2),
    numeric('&', -2, -2), numeric('(', 2, -2), numeric('!', -2, 2), numeric('#', 2, 2)};
const std::array<KeyCell, 16> knightJumps = {
    vi('a', -2, -1),      vi('z', -2, 1),      vi('q', -1, -2),      vi('x', -1, 2),
    vi('w', 1, -2),       vi('c', 1, 2),       vi('e', 2, -1),       vi('d', 2, 1),
    numeric('a', -2, -1), numeric('z', -2, 1), numeric('q', -1, -2), numeric('x', -1, 2),
    numeric('w', 1, -2),  numeric('c', 1, 2),  numeric('e', 2, -1),  numeric('d', 2, 1)};
const std::array<KeyCell, 8> twoOrthogonal = {
    vi('H', -2, 0),      vi('K', 0, -2),      vi('J', 0, 2),      vi('L', 2, 0),
    numeric('$', -2, 0), numeric('*', 0, -2), numeric('"', 0, 2), numeric('^', 2, 0)};
const std::array<KeyCell, 2> waitKeys = {vi('.', 0, 0), numeric('5', 0, 0)};

std::span<const KeyCell> keysOf(KeyGroup group) {
  switch (group) {
    case KeyGroup::OneOrthogonal: return oneOrthogonal;
    case KeyGroup::OneDiagonal: return oneDiagonal;
    case KeyGroup::TwoDiagonal: return twoDiagonal;
    case KeyGroup::KnightJumps: return knightJumps;
    case KeyGroup::TwoOrthogonal: return twoOrthogonal;
    case KeyGroup::Wait: return waitKeys;
  }
  return {};
}

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

// The captures list runs pawns, bishops, knights, rooks, queens, king, each label in the colour of
// its piece and holding the piece's letter.
struct CountRow {
  std::string_view label;
  Colour colour;
  Attribute attribute;
  int Kills::*count;
};

constexpr std::array<CountRow, 6> countRows = {
    CountRow{"Pawns", Colour::Yellow, Attribute::Normal, &Kills::pawns},
    CountRow{"Bishops", Colour::Red, Attribute::Normal, &Kills::bishops},
    CountRow{"kNights", Colour::Green, Attribute::Normal, &Kills::knights},
    CountRow{"Rooks", Colour::Cyan, Attribute::Normal, &Kills::rooks},
    CountRow{"Queens", Colour::Magenta, Attribute::Bold, &Kills::queens},
    CountRow{"The King", Colour::Black, Attribute::Bold, &Kills::king}};
constexpr int FirstCountRow = 4;

}  // namespace

KeyColour twoCellColour(bool sweeping, bool jumping) {
  if (sweeping) return jumping ? KeyColour::SweepingJumping : KeyColour::Sweeping;
  return jumping ? KeyColour::Jumping : KeyColour::MoveAndCapture;
}

void initKills() {
  printAtColour(PanelColumn, 2, "Captures", Colour::White, Attribute::Normal);
  printAtColour(PanelColumn, 3, Underline, Colour::White, Attribute::Normal);
  for (std::size_t i = 0; i < countRows.size(); ++i) {
    const CountRow& row = countRows[i];
    printAtColour(PanelColumn, FirstCountRow + static_cast<int>(i), row.label, row.colour,
                  row.attribute);
  }
  for (std::size_t i = 0; i < countRows.size(); ++i) {
    printAtColour(CountColumn - 2, FirstCountRow + static_cast<int>(i), ": 0", Colour::White,
                  Attribute::Normal);
  }
}

void showKills(const Player& player) {
  for (std::size_t i = 0; i < countRows.size(); ++i) {
    printAt(CountColumn, FirstCountRow + static_cast<int>(i),
            std::to_string(player.kills.*countRows[i].count));
  }
}

void showKeys(KeyGroup group, KeyColour colour) {
  printAt(PanelColumn, 11, "Controls");
  printAt(PanelColumn, 12, Underline);
  const KeyLook look = lookOf(colour);
  for (const KeyCell& cell : keysOf(group)) {
    printKeyAtColour(cell.column, cell.row, std::string(1, cell.key), look.colour, look.attribute);
  }
}

}  // namespace vh
