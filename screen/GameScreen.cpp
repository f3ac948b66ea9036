#include "screen/GameScreen.hpp"

#include <algorithm>
#include <string>
#include <utility>

namespace vh {
namespace {

constexpr int Columns = ScreenBuffer::Columns;

ScreenBuffer::Cell cellAt(const ScreenBuffer& buffer, int index) {
  return buffer.cell(index % Columns, index / Columns);
}

}  // namespace

GameScreen::GameScreen(int colours) : colours_(colours) {}

void GameScreen::write(int column, int row, std::string_view text) {
  drawn_.write(column, row, text);
  if (column < 0 || column >= Columns || row < 0 || row >= ScreenBuffer::Rows) return;
  drawnSince_ = true;
  const int first = row * Columns + column;
  const int end = std::min(first + static_cast<int>(text.size()), Cells);
  for (int index = first; index < end; ++index) {
    if (touched_[static_cast<std::size_t>(index)]) continue;
    touched_[static_cast<std::size_t>(index)] = true;
    touchedCells_.push_back(index);
  }
  // Curses leaves the cursor after the text, or on the last cell once the text reaches it.
  cursor_ = std::min(first + static_cast<int>(text.size()), Cells - 1);
}

void GameScreen::clear() {
  drawn_.clear();
  cleared_ = true;
  drawnSince_ = true;
  cursor_ = 0;
}

void GameScreen::refresh() {
  ScreenUpdate update{cleared_, {}, cursor_ % Columns, cursor_ / Columns, cursorVisible_};
  // A cleared screen is drawn whole from blank; otherwise only the cells written can differ.
  const auto bring = [&](int index) {
    const ScreenBuffer::Cell cell = cellAt(drawn_, index);
    ScreenBuffer::Cell& shown = shown_[static_cast<std::size_t>(index)];
    if (!(cell == (cleared_ ? ScreenBuffer::Cell{} : shown))) {
      update.cells.push_back(CellUpdate{index % Columns, index / Columns, cell});
    }
    shown = cell;
    touched_[static_cast<std::size_t>(index)] = false;
  };
  if (cleared_) {
    for (int index = 0; index < Cells; ++index) bring(index);
  } else {
    for (const int index : touchedCells_) bring(index);
  }
  touchedCells_.clear();
  cleared_ = false;
  drawnSince_ = false;
  updates_.push_back(std::move(update));
}

std::vector<ScreenUpdate> GameScreen::takeUpdates() {
  // A terminal brings what was drawn to the screen before it waits for a key.
  if (drawnSince_) refresh();
  return std::exchange(updates_, {});
}

void showRow(Terminal& terminal, const ScreenBuffer& cells, int row) {
  for (int column = 0; column < ScreenBuffer::Columns; ++column) {
    const ScreenBuffer::Cell& cell = cells.cell(column, row);
    terminal.attributesOn(cell.attributes);
    terminal.write(column, row, std::string(1, cell.glyph));
    terminal.attributesOff(cell.attributes);
  }
}

void showUpdates(Terminal& terminal, const std::vector<ScreenUpdate>& updates) {
  for (const ScreenUpdate& update : updates) {
    terminal.setCursorVisible(update.cursorVisible);
    if (update.cleared) terminal.clear();
    for (const CellUpdate& changed : update.cells) {
      terminal.attributesOn(changed.cell.attributes);
      terminal.write(changed.column, changed.row, std::string(1, changed.cell.glyph));
      terminal.attributesOff(changed.cell.attributes);
    }
    terminal.write(update.cursorColumn, update.cursorRow, "");  // moves the cursor alone
    terminal.refresh();
  }
}

}  // namespace vh
