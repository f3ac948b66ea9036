#include "record/Recording.hpp"

#include <array>
#include <charconv>
#include <csignal>

#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr std::string_view Magic = "vardenholt-recording 1";
// Key codes stay below this: bytes, and the terminal's named keys.
constexpr int KeyCodeLimit = 4096;

constexpr std::array<std::string_view, 5> endingNames = {"lose", "draw", "win", "saved", "stopped"};

[[noreturn]] void bad(const std::string& detail) {
  throw GameError("Invalid recording: " + printableText(detail), BadRecordingCode);
}

// Reads the text line by line and field by field, naming what it expected when it fails.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool atEnd() const { return position_ >= text_.size(); }

  std::string_view line(const char* what) {
    if (atEnd()) bad(std::string("it ends before ") + what);
    const std::size_t end = text_.find('\n', position_);
    if (end == std::string_view::npos) bad(std::string("it ends inside ") + what);
    const std::string_view result = text_.substr(position_, end - position_);
    position_ = end + 1;
    return result;
  }

  // The rest of a line that starts with `name` and a blank.
  std::string_view field(std::string_view name) {
    const std::string_view text = line(std::string(name).c_str());
    if (text.size() <= name.size() || text.substr(0, name.size()) != name ||
        text[name.size()] != ' ') {
      bad("expected " + std::string(name));
    }
    return text.substr(name.size() + 1);
  }

  // A block of exactly `size` bytes followed by a newline.
  std::string bytes(std::size_t size, const char* what) {
    if (text_.size() - position_ < size + 1 || text_[position_ + size] != '\n') {
      bad(std::string("the ") + what + " is cut short");
    }
    std::string result(text_.substr(position_, size));
    position_ += size + 1;
    return result;
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

// A number in the one spelling the game writes: no sign and no leading zero, so that a recording
// reads back to exactly its own text.
long long number(std::string_view text, long long low, long long high, const char* what) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  const bool written = !text.empty() && text[0] != '-' && (text[0] != '0' || text.size() == 1);
  if (!written || error != std::errc{} || end != text.data() + text.size() || value < low ||
      value > high) {
    bad(std::string("bad ") + what);
  }
  return value;
}

std::string printable(std::string_view text, const char* what) {
  if (printableText(text) != text) bad(std::string("unprintable ") + what);
  return std::string(text);
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::optional<std::string> file(Reader& in, std::string_view name) {
  const std::string_view size = in.field(name);
  if (size == "none") return std::nullopt;
  return in.bytes(static_cast<std::size_t>(number(size, 0, MaxRecordingSize, "file size")),
                  std::string(name).c_str());
}

LfState generator(std::string_view text) {
  const std::vector<std::string_view> parts = split(text, ' ');
  LfState state{};
  if (parts.size() != state.table.size() + 1) bad("the generator has the wrong size");
  state.oldest = static_cast<int>(number(parts[0], 0, 54, "generator position"));
  for (std::size_t i = 0; i < state.table.size(); ++i) {
    state.table[i] = static_cast<std::uint32_t>(number(parts[i + 1], 0, 0x7fffffff, "generator"));
  }
  return state;
}

GameSummary summary(std::string_view text) {
  const std::vector<std::string_view> fields = split(text, ' ');
  constexpr std::array<std::string_view, 10> names = {
      "ending", "area", "score", "pawns", "knights", "bishops", "rooks", "queens", "king", "turns"};
  if (fields.size() != names.size()) bad("the result has the wrong fields");
  std::array<long long, names.size()> values{};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t equals = fields[i].find('=');
    if (equals == std::string_view::npos || fields[i].substr(0, equals) != names[i]) {
      bad("the result has the wrong fields");
    }
    const std::string_view value = fields[i].substr(equals + 1);
    if (i == 0) {
      std::size_t ending = 0;
      while (ending < endingNames.size() && endingNames[ending] != value) ++ending;
      if (ending == endingNames.size()) bad("unknown ending");
      values[0] = static_cast<long long>(ending);
    } else {
      values[i] = number(value, 0, 0x7fffffff, "result");
    }
  }
  const auto at = [&](std::size_t i) { return static_cast<int>(values[i]); };
  return GameSummary{static_cast<Ending>(values[0]),
                     at(1),
                     at(2),
                     Kills{at(3), at(4), at(5), at(6), at(7), at(8)},
                     at(9),
                     0};
}

}  // namespace

std::string endingName(Ending ending) {
  return std::string(endingNames.at(static_cast<std::size_t>(ending)));
}

std::string summaryText(const GameSummary& s, char separator) {
  const Kills& k = s.kills;
  std::string text = "ending=" + endingName(s.ending);
  for (const auto& [name, value] : {std::pair{"area", s.level},
                                    {"score", s.score},
                                    {"pawns", k.pawns},
                                    {"knights", k.knights},
                                    {"bishops", k.bishops},
                                    {"rooks", k.rooks},
                                    {"queens", k.queens},
                                    {"king", k.king},
                                    {"turns", s.turns}}) {
    text += separator + std::string(name) + "=" + std::to_string(value);
  }
  return text;
}

std::string recordingHeader(const RecordingStart& start) {
  std::string text = std::string(Magic) + "\n";
  text += "game-version " + printableText(start.gameVersion) + "\n";
  text += "seed " + std::to_string(start.seed) + "\n";
  text += "started " + printableText(start.started) + "\n";
  text += "generator " + std::to_string(start.generator.oldest);
  for (const std::uint32_t value : start.generator.table) {
    text += ' ';
    text += std::to_string(value);
  }
  text += "\n";
  for (const auto& [name, content] :
       {std::pair{"saved-game", &start.savedGame}, {"high-score", &start.highScore}}) {
    text += std::string(name) + " ";
    text += *content ? std::to_string((*content)->size()) + "\n" + **content + "\n" : "none\n";
  }
  return text + "keys\n";
}

std::string keyLine(int key) { return std::to_string(key) + "\n"; }

std::string signalLine(int signal) { return "signal " + std::to_string(signal) + "\n"; }

std::string resultLine(const GameSummary& summary) {
  return "result " + summaryText(summary) + "\n";
}

Recording readRecording(std::string_view text) {
  if (text.size() > MaxRecordingSize) bad("it is too large");
  Reader in(text);
  if (in.line("the first line") != Magic) bad("not a recording of a version this game plays");
  Recording recording;
  RecordingStart& start = recording.start;
  start.gameVersion = printable(in.field("game-version"), "game version");
  start.seed = static_cast<unsigned>(number(in.field("seed"), 0, 0xffffffff, "seed"));
  start.started = printable(in.field("started"), "start time");
  start.generator = generator(in.field("generator"));
  start.savedGame = file(in, "saved-game");
  start.highScore = file(in, "high-score");
  if (in.line("the keys") != "keys") bad("expected keys");
  while (!in.atEnd()) {
    const std::string_view line = in.line("a key");
    if (recording.result) bad("there is more after the result");
    if (line.starts_with("result ")) {
      recording.result = summary(line.substr(7));
    } else if (line.starts_with("signal ")) {
      const int signal = static_cast<int>(number(line.substr(7), 1, 64, "signal"));
      recording.keys.push_back(RecordedKey{0, signal});
    } else {
      recording.keys.push_back(
          RecordedKey{static_cast<int>(number(line, 0, KeyCodeLimit - 1, "key")), 0});
    }
  }
  if (recording.result && !recording.keys.empty() && recording.keys.back().signal != 0) {
    recording.result->signal = recording.keys.back().signal;
  }
  return recording;
}

}  // namespace vh
