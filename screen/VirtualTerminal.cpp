#include "screen/VirtualTerminal.hpp"

namespace vh {

void VirtualTerminal::pressKeys(std::string_view keys) {
  for (const char key : keys) keys_.push_back(static_cast<unsigned char>(key));
}

void VirtualTerminal::pressKey(int code) { keys_.push_back(code); }

std::string VirtualTerminal::row(int row) const {
  std::string text;
  for (const Cell& cell : cells_.at(static_cast<std::size_t>(row))) text += cell.glyph;
  return text;
}

std::string VirtualTerminal::toString() const {
  std::string text;
  for (int r = 0; r < Rows; ++r) {
    if (r > 0) text += '\n';
    text += row(r);
  }
  return text;
}

char VirtualTerminal::charAt(int column, int row) const {
  return cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)).glyph;
}

VirtualTerminal::Style VirtualTerminal::styleAt(int column, int row) const {
  const Cell& cell = cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
  const auto pair = static_cast<std::size_t>(cell.attributes.pair);
  return Style{pair < pairs_.size() ? pairs_[pair] : std::nullopt, cell.attributes.bold};
}

void VirtualTerminal::start() {
  started_ = true;
  cursorVisible_ = true;
}

void VirtualTerminal::stop() { started_ = false; }

void VirtualTerminal::definePair(int pair, Colour foreground) {
  if (pair > 0 && static_cast<std::size_t>(pair) < pairs_.size()) {
    pairs_[static_cast<std::size_t>(pair)] = foreground;
  }
}

void VirtualTerminal::attributesOn(TextAttributes attributes) {
  attributes_.bold = attributes_.bold || attributes.bold;
  if (attributes.pair > 0) attributes_.pair = attributes.pair;
}

void VirtualTerminal::attributesOff(TextAttributes attributes) {
  if (attributes.bold) attributes_.bold = false;
  if (attributes.pair > 0) attributes_.pair = 0;
}

// Like curses, text runs on into the next row and stops at the end of the screen.
void VirtualTerminal::write(int column, int row, std::string_view text) {
  if (column < 0 || column >= Columns || row < 0 || row >= Rows) return;
  for (const char c : text) {
    if (row >= Rows) return;
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = Cell{c, attributes_};
    if (++column == Columns) {
      column = 0;
      ++row;
    }
  }
}

void VirtualTerminal::clear() { cells_ = {}; }

int VirtualTerminal::readKey() {
  ++refreshes_;  // curses brings pending output to the screen before it reads a key
  if (keys_.empty()) throw KeyScriptExhausted();
  const int key = keys_.front();
  keys_.pop_front();
  return key;
}

}  // namespace vh
