#include "screen/ScreenBuffer.hpp"

namespace vh {

void ScreenBuffer::attributesOn(TextAttributes attributes) {
  attributes_.bold = attributes_.bold || attributes.bold;
  attributes_.underline = attributes_.underline || attributes.underline;
  attributes_.reverse = attributes_.reverse || attributes.reverse;
  if (attributes.pair > 0) attributes_.pair = attributes.pair;
}

void ScreenBuffer::attributesOff(TextAttributes attributes) {
  if (attributes.bold) attributes_.bold = false;
  if (attributes.underline) attributes_.underline = false;
  if (attributes.reverse) attributes_.reverse = false;
  if (attributes.pair > 0) attributes_.pair = 0;
}

void ScreenBuffer::write(int column, int row, std::string_view text) {
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

const ScreenBuffer::Cell& ScreenBuffer::cell(int column, int row) const {
  return cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

std::string ScreenBuffer::row(int row) const {
  std::string text;
  for (const Cell& cell : cells_.at(static_cast<std::size_t>(row))) text += cell.glyph;
  return text;
}

}  // namespace vh
