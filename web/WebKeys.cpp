#include "web/WebKeys.hpp"

#include <array>
#include <utility>

#include "screen/Terminal.hpp"

namespace vh {
namespace {

// The keys of the numeric keypad other than its digits, by physical key.
constexpr std::array<std::pair<std::string_view, char>, 7> keypadKeys = {{
    {"NumpadDecimal", '.'},
    {"NumpadAdd", '+'},
    {"NumpadSubtract", '-'},
    {"NumpadMultiply", '*'},
    {"NumpadDivide", '/'},
    {"NumpadEqual", '='},
    {"NumpadEnter", '\n'},
}};

// Keys that type no character, by the value the browser names them with.
constexpr std::array<std::pair<std::string_view, int>, 12> namedKeys = {{
    {"ArrowLeft", KeyLeft},
    {"ArrowRight", KeyRight},
    {"ArrowUp", KeyUp},
    {"ArrowDown", KeyDown},
    {"Home", KeyHome},
    {"End", KeyEnd},
    {"PageUp", KeyPreviousPage},
    {"PageDown", KeyNextPage},
    {"Clear", KeyB2},
    {"Enter", '\n'},
    {"Tab", '\t'},
    {"Escape", KeyEscape},
}};

std::optional<int> keypadCode(std::string_view code) {
  constexpr std::string_view Keypad = "Numpad";
  if (!code.starts_with(Keypad)) return std::nullopt;
  const std::string_view name = code.substr(Keypad.size());
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return name[0];
  for (const auto& [keypadName, character] : keypadKeys) {
    if (code == keypadName) return character;
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> keyCodeOf(const KeyPress& press) {
  const bool shortcut = !press.altGraph && (press.control || press.alt || press.meta);
  if (shortcut || press.key.empty()) return std::nullopt;
  if (const std::optional<int> keypad = keypadCode(press.code)) return keypad;
  for (const auto& [name, code] : namedKeys) {
    if (press.key == name) return code;
  }
  const auto first = static_cast<unsigned char>(press.key[0]);
  if (press.key.size() == 1 && first >= ' ' && first <= '~') return first;
  // A character beyond ASCII is a key the game does not know: it arrives as Escape, as a key
  // that the terminal does not describe does.
  if (first >= 0x80) return KeyEscape;
  return std::nullopt;
}

}  // namespace vh
