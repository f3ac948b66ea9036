#include "screen/VirtualTerminal.hpp"

#include "screen/Signals.hpp"

namespace vh {

void VirtualTerminal::pressKeys(std::string_view keys) {
  for (const char key : keys) pressKey(static_cast<unsigned char>(key));
}

void VirtualTerminal::pressKey(int code) { keys_.push_back(Event{code, 0}); }

void VirtualTerminal::sendSignal(int signal) { keys_.push_back(Event{NoKey, signal}); }

std::string VirtualTerminal::row(int row) const { return screen_.row(row); }

std::string VirtualTerminal::toString() const {
  std::string text;
  for (int r = 0; r < Rows; ++r) {
    if (r > 0) text += '\n';
    text += row(r);
  }
  return text;
}

char VirtualTerminal::charAt(int column, int row) const { return screen_.cell(column, row).glyph; }

VirtualTerminal::Style VirtualTerminal::styleAt(int column, int row) const {
  const ScreenBuffer::Cell& cell = screen_.cell(column, row);
  const std::optional<PairColour> colour = pairOf(cell);
  return Style{colour ? std::optional(colour->foreground) : std::nullopt, cell.attributes.bold};
}

TextAttributes VirtualTerminal::attributesAt(int column, int row) const {
  return screen_.cell(column, row).attributes;
}

std::optional<int> VirtualTerminal::foregroundAt(int column, int row) const {
  const std::optional<PairColour> colour = pairOf(screen_.cell(column, row));
  if (!colour) return std::nullopt;
  return static_cast<int>(colour->foreground) + (colour->bright ? 8 : 0);
}

std::optional<VirtualTerminal::PairColour> VirtualTerminal::pairOf(
    const ScreenBuffer::Cell& cell) const {
  const auto pair = static_cast<std::size_t>(cell.attributes.pair);
  return pair < pairs_.size() ? pairs_[pair] : std::nullopt;
}

void VirtualTerminal::start() {
  started_ = true;
  cursorVisible_ = true;
}

void VirtualTerminal::stop() { started_ = false; }

void VirtualTerminal::definePair(int pair, Colour foreground, bool bright) {
  if (pair > 0 && static_cast<std::size_t>(pair) < pairs_.size()) {
    pairs_[static_cast<std::size_t>(pair)] = PairColour{foreground, bright};
  }
}

int VirtualTerminal::readKeyWithin(int milliseconds) {
  if (!keys_.empty()) return readKey();
  waited_ += std::chrono::milliseconds(milliseconds);
  return NoKey;
}

int VirtualTerminal::readKey() {
  ++refreshes_;  // curses brings pending output to the screen before it reads a key
  if (keys_.empty() && source_) return source_();
  if (keys_.empty()) throw KeyScriptExhausted();
  const Event event = keys_.front();
  keys_.pop_front();
  if (event.signal != 0) noteSignal(event.signal);
  return event.key;
}

}  // namespace vh
