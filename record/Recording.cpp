#include "record/Recording.hpp"

#include <array>
#include <charconv>
#include <csignal>
#include <cstring>

#include "save/Store.hpp"
#include "screen/Terminal.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr std::string_view Magic = "vardenholt-recording 1";
// Key codes stay below this: bytes, and the terminal's named keys.
constexpr int KeyCodeLimit = 4096;
// Far longer than any line the game writes, except the files it holds, which have sizes.
constexpr std::size_t MaxLineLength = 4096;

constexpr std::array<std::string_view, 5> endingNames = {"lose", "draw", "win", "saved", "stopped"};

[[noreturn]] void bad(const std::string& detail) {
  throw GameError("Invalid recording: " + printableText(detail), BadRecordingCode);
}

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

// Three numbers joined by dots, as the game writes its version; none for anything else.
std::optional<std::array<long long, 3>> versionNumbers(std::string_view text) {
  const std::vector<std::string_view> parts = split(text, '.');
  if (parts.size() != 3) return std::nullopt;
  std::array<long long, 3> numbers{};
  try {
    for (std::size_t i = 0; i < 3; ++i) numbers[i] = number(parts[i], 0, 99999, "version");
  } catch (const GameError&) {
    return std::nullopt;
  }
  return numbers;
}

// A time as utcNow() writes it: 2026-12-07T01:23:45Z, each field within its range.
bool isUtcTime(std::string_view text) {
  constexpr std::string_view shape = "dddd-dd-ddTdd:dd:ddZ";
  if (text.size() != shape.size()) return false;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (shape[i] == 'd' ? !digit : text[i] != shape[i]) return false;
  }
  const auto at = [&](std::size_t from) {
    return (text[from] - '0') * 10 + (text[from + 1] - '0');
  };
  return at(5) >= 1 && at(5) <= 12 && at(8) >= 1 && at(8) <= 31 && at(11) <= 23 && at(14) <= 59 &&
         at(17) <= 60;
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

// "NAME CODE MESSAGE": one of the game's files, the error's code and its printable message.
FailedWrite failedWrite(std::string_view text) {
  const std::size_t nameEnd = text.find(' ');
  const std::size_t codeEnd =
      nameEnd == std::string_view::npos ? nameEnd : text.find(' ', nameEnd + 1);
  if (codeEnd == std::string_view::npos) bad("a failed write without its error");
  const std::string_view name = text.substr(0, nameEnd);
  if (name != SaveEntry && name != HighScoreEntry) bad("a failed write of an unknown file");
  return FailedWrite{std::string(name),
                     static_cast<int>(number(text.substr(nameEnd + 1, codeEnd - nameEnd - 1), 0,
                                             0x7fffffff, "error code")),
                     printable(text.substr(codeEnd + 1), "error")};
}

}  // namespace

std::string endingName(Ending ending) {
  return std::string(endingNames.at(static_cast<std::size_t>(ending)));
}

bool earlierVersion(std::string_view a, std::string_view b) {
  return versionNumbers(a).value_or(std::array<long long, 3>{}) <
         versionNumbers(b).value_or(std::array<long long, 3>{});
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
  text += "seed " + (start.seed ? std::to_string(*start.seed) : "-") + "\n";
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

std::string failedWriteLine(const FailedWrite& failure) {
  return "failed " + failure.name + " " + std::to_string(failure.code) + " " +
         printableText(failure.message) + "\n";
}

std::string signalLine(int signal) { return "signal " + std::to_string(signal) + "\n"; }

std::string resultLine(const GameSummary& summary) {
  return "result " + summaryText(summary) + "\n";
}

bool RecordingReader::fill() {
  if (ended_) return false;
  buffer_.erase(0, position_);
  position_ = 0;
  char chunk[65536];
  const std::size_t got = source_(chunk, sizeof chunk);
  if (got == 0) {
    ended_ = true;
    return false;
  }
  read_ += got;
  if (read_ > MaxRecordingSize) bad("it is too large");
  buffer_.append(chunk, got);
  return true;
}

bool RecordingReader::atEnd() {
  while (position_ == buffer_.size()) {
    if (!fill()) return true;
  }
  return false;
}

std::string RecordingReader::line(const char* what) {
  if (atEnd()) bad(std::string("it ends before ") + what);
  for (std::size_t searched = position_;;) {
    const std::size_t end = buffer_.find('\n', searched);
    if (end != std::string::npos) {
      std::string result = buffer_.substr(position_, end - position_);
      position_ = end + 1;
      return result;
    }
    if (buffer_.size() - position_ > MaxLineLength) bad(std::string("a line too long in ") + what);
    searched = buffer_.size() - position_;
    if (!fill()) bad(std::string("it ends inside ") + what);
  }
}

std::string RecordingReader::field(std::string_view name) {
  const std::string text = line(std::string(name).c_str());
  if (text.size() <= name.size() || text.compare(0, name.size(), name) != 0 ||
      text[name.size()] != ' ') {
    bad("expected " + std::string(name));
  }
  return text.substr(name.size() + 1);
}

std::optional<std::string> RecordingReader::file(std::string_view name) {
  const std::string size = field(name);
  if (size == "none") return std::nullopt;
  const auto bytes = static_cast<std::size_t>(number(size, 0, MaxGameFileSize, "file size"));
  while (buffer_.size() - position_ < bytes + 1) {
    if (!fill()) bad("the " + std::string(name) + " is cut short");
  }
  if (buffer_[position_ + bytes] != '\n') bad("the " + std::string(name) + " is cut short");
  std::string content = buffer_.substr(position_, bytes);
  position_ += bytes + 1;
  return content;
}

RecordingReader::RecordingReader(Source source) : source_(std::move(source)) {
  if (line("the first line") != Magic) bad("not a recording of a version this game plays");
  start_.gameVersion = printable(field("game-version"), "game version");
  const std::string seed = field("seed");
  if (seed != "-") start_.seed = static_cast<unsigned>(number(seed, 0, 0xffffffff, "seed"));
  start_.started = printable(field("started"), "start time");
  if (!isUtcTime(start_.started)) bad("bad start time");
  start_.generator = generator(field("generator"));
  start_.savedGame = file("saved-game");
  start_.highScore = file("high-score");
  if (line("the keys") != "keys") bad("expected keys");
}

std::optional<RecordedEvent> RecordingReader::next() {
  if (atEnd()) return std::nullopt;
  if (resultRead_) bad("there is more after the result");
  const std::string text = line("a key");
  const std::string_view event = text;
  if (event.starts_with("result ")) {
    resultRead_ = true;
    GameSummary result = summary(event.substr(7));
    result.signal = signal_;
    return result;
  }
  if (event.starts_with("failed ")) return failedWrite(event.substr(7));
  if (event.starts_with("signal ")) {
    signal_ = static_cast<int>(number(event.substr(7), 1, 64, "signal"));
    return RecordedKey{NoKey, signal_};
  }
  signal_ = 0;
  return RecordedKey{static_cast<int>(number(event, 0, KeyCodeLimit - 1, "key")), 0};
}

Recording readRecording(std::string_view text) {
  if (text.size() > MaxRecordingSize) bad("it is too large");
  RecordingReader reader([&text](char* buffer, std::size_t size) {
    const std::size_t given = std::min(size, text.size());
    std::memcpy(buffer, text.data(), given);
    text.remove_prefix(given);
    return given;
  });
  Recording recording{reader.start(), {}, {}, std::nullopt};
  while (const std::optional<RecordedEvent> event = reader.next()) {
    if (const auto* key = std::get_if<RecordedKey>(&*event)) {
      recording.keys.push_back(*key);
    } else if (const auto* failure = std::get_if<FailedWrite>(&*event)) {
      std::size_t keys = recording.keys.size();
      if (keys > 0 && recording.keys.back().signal != 0) --keys;
      recording.failedWrites.emplace_back(keys, *failure);
    } else {
      recording.result = std::get<GameSummary>(*event);
    }
  }
  return recording;
}

}  // namespace vh
