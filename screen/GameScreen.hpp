// The screen a game draws on: 80x24 cells kept in memory, handed out as the updates that brought
// them, so that any terminal can show the game by drawing what changed at each update.
#pragma once

#include <array>
#include <vector>

#include "screen/ScreenBuffer.hpp"
#include "screen/Terminal.hpp"

namespace vh {

struct CellUpdate {
  int column;
  int row;
  ScreenBuffer::Cell cell;
};

// What one update of the screen brought, as curses would bring it to a terminal.
struct ScreenUpdate {
  bool cleared;                   // every cell is blanked first
  std::vector<CellUpdate> cells;  // then these are drawn; no cell comes twice
  int cursorColumn;               // where the text written last ended
  int cursorRow;
  bool cursorVisible;
};

class GameScreen final : public Terminal {
 public:
  // Shows `colours` colours, 0 for none; the cursor is visible until hidden.
  explicit GameScreen(int colours);

  // The updates since the last call, with what was drawn since the last update as one more.
  std::vector<ScreenUpdate> takeUpdates();
  const ScreenBuffer& cells() const { return drawn_; }

  void start() override {}
  void stop() override {}
  int colours() const override { return colours_; }
  void definePair(int, Colour, bool) override {}
  void attributesOn(TextAttributes attributes) override { drawn_.attributesOn(attributes); }
  void attributesOff(TextAttributes attributes) override { drawn_.attributesOff(attributes); }
  void write(int column, int row, std::string_view text) override;
  void clear() override;
  void refresh() override;
  void setCursorVisible(bool visible) override { cursorVisible_ = visible; }
  // A game never reads the keys: they are given to it.
  int readKey() override { return NoKey; }
  int readKeyWithin(int) override { return NoKey; }

 private:
  static constexpr int Cells = ScreenBuffer::Columns * ScreenBuffer::Rows;

  int colours_;
  ScreenBuffer drawn_;
  std::array<ScreenBuffer::Cell, Cells> shown_{};  // as the last update left them
  std::array<bool, Cells> touched_{};              // written since the last update
  std::vector<int> touchedCells_;
  bool cleared_ = false;
  bool drawnSince_ = false;  // anything written or cleared since the last update
  int cursor_ = 0;           // the cell the cursor stands on
  bool cursorVisible_ = true;
  std::vector<ScreenUpdate> updates_;
};

// Writes one row of cells to a terminal, blanks included, for it to send only what changed.
void showRow(Terminal& terminal, const ScreenBuffer& cells, int row);

// Brings updates to a terminal, each in one refresh, leaving its cursor where the game's is.
void showUpdates(Terminal& terminal, const std::vector<ScreenUpdate>& updates);

}  // namespace vh
