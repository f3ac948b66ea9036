#include "web/WebTerminal.hpp"

#include <emscripten.h>

#include "web/WebKeys.hpp"

namespace vh {
namespace {

// The page's side of the terminal, in web/page.js.
EM_JS(void, pageDraw, (const std::uint32_t* cells, int count),
      { Module.vhDraw(HEAPU32.subarray(cells >> 2, (cells >> 2) + count)); });

// The colour a terminal draws text in when no pair is on: light grey.
constexpr int DefaultForeground = 7;

// A cell as the page reads it: the character in bits 0 to 7, the number of its colour among the
// sixteen in bits 8 to 11, then bold, underline and reverse.
std::uint32_t packedCell(const ScreenBuffer::Cell& cell, int foreground) {
  const TextAttributes& attributes = cell.attributes;
  const auto colour = static_cast<std::uint32_t>(shownColour(foreground, attributes.bold));
  return static_cast<unsigned char>(cell.glyph) | colour << 8 |
         (attributes.bold ? 1U << 12 : 0U) | (attributes.underline ? 1U << 13 : 0U) |
         (attributes.reverse ? 1U << 14 : 0U);
}

}  // namespace

void WebTerminal::definePair(int pair, Colour foreground, bool bright) {
  if (pair > 0 && static_cast<std::size_t>(pair) < pairs_.size()) {
    pairs_[static_cast<std::size_t>(pair)] = static_cast<int>(foreground) + (bright ? 8 : 0);
  }
}

void WebTerminal::refresh() {
  std::size_t i = 0;
  for (int row = 0; row < ScreenBuffer::Rows; ++row) {
    for (int column = 0; column < ScreenBuffer::Columns; ++column) {
      const ScreenBuffer::Cell& cell = shown_.cell(column, row);
      const auto pair = static_cast<std::size_t>(cell.attributes.pair);
      const int foreground =
          pair < pairs_.size() && pairs_[pair] ? *pairs_[pair] : DefaultForeground;
      cells_[i++] = packedCell(cell, foreground);
    }
  }
  pageDraw(cells_.data(), static_cast<int>(cells_.size()));
}

}  // namespace vh

// The page asks what a key press stands for: its code, or -1 when it is not the game's.
extern "C" EMSCRIPTEN_KEEPALIVE int vh_key_code(const char* key, const char* code, int modifiers) {
  const vh::KeyPress press{key,
                           code,
                           (modifiers & 1) != 0,
                           (modifiers & 2) != 0,
                           (modifiers & 4) != 0,
                           (modifiers & 8) != 0};
  return vh::keyCodeOf(press).value_or(-1);
}

