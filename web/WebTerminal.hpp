// The terminal of the browser page: an 80x24 grid that the page draws from the cells written
// here, in the eight colours, bold and dark grey of a terminal. The page gives the game its keys
// itself, as they come, so this terminal is never asked for one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "screen/ScreenBuffer.hpp"
#include "screen/Terminal.hpp"

namespace vh {

// The number among the sixteen colours of the page that a colour is drawn in: bold brightens the
// eight first, as terminals do, which is how black in bold is the dark grey of the design.
constexpr int shownColour(int colour, bool bold) { return bold && colour < 8 ? colour + 8 : colour; }

class WebTerminal final : public Terminal {
 public:
  void start() override { shown_ = ScreenBuffer(); }
  // The last screen stays on the page.
  void stop() override {}
  // The page shows the sixteen colours of a terminal, so dark grey is bright black.
  int colours() const override { return 16; }
  void definePair(int pair, Colour foreground, bool bright) override;
  void attributesOn(TextAttributes attributes) override { shown_.attributesOn(attributes); }
  void attributesOff(TextAttributes attributes) override { shown_.attributesOff(attributes); }
  void write(int column, int row, std::string_view text) override {
    shown_.write(column, row, text);
  }
  void clear() override { shown_.clear(); }
  void refresh() override;
  // The page has no cursor to show.
  void setCursorVisible(bool) override {}
  int readKey() override { return NoKey; }
  int readKeyWithin(int) override { return NoKey; }

 private:
  ScreenBuffer shown_;
  std::array<std::optional<int>, 256> pairs_{};  // the colour number each pair draws in
  std::array<std::uint32_t, ScreenBuffer::Columns * ScreenBuffer::Rows> cells_{};
};

}  // namespace vh
