#include "record/Gamelog.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>

#include "record/Daily.hpp"
#include "record/Recording.hpp"
#include "save/Folder.hpp"
#include "save/Savefile.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

const std::string LogEntryName = "games.log";
constexpr std::size_t MaxLogSize = 64 * 1024 * 1024;
constexpr std::size_t BestGames = 10;

[[noreturn]] void bad(std::size_t line, const std::string& detail) {
  throw GameError("Invalid game log, line " + std::to_string(line) + ": " + detail, BadLogCode);
}

// A field's value as a number in low .. high.
long long number(const std::map<std::string_view, std::string_view>& fields, std::string_view name,
                 long long low, long long high, std::size_t line) {
  const auto found = fields.find(name);
  if (found == fields.end()) bad(line, "no " + std::string(name));
  long long value = 0;
  const std::string_view text = found->second;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high) {
    bad(line, "bad " + std::string(name));
  }
  return value;
}

std::string text(const std::map<std::string_view, std::string_view>& fields,
                 std::string_view name) {
  const auto found = fields.find(name);
  return found == fields.end() ? "" : printableText(found->second);
}

Ending ending(std::string_view name, std::size_t line) {
  for (const Ending e : {Ending::Lose, Ending::Draw, Ending::Win, Ending::Saved, Ending::Stopped}) {
    if (endingName(e) == name) return e;
  }
  bad(line, "unknown ending");
}

// Fields this game does not know, from a later version, are passed over.
LogEntry entryOf(std::string_view line, std::size_t lineNumber) {
  std::map<std::string_view, std::string_view> fields;
  for (std::size_t start = 0; start <= line.size();) {
    const std::size_t end = std::min(line.find('\t', start), line.size());
    const std::string_view field = line.substr(start, end - start);
    const std::size_t equals = field.find('=');
    if (equals == std::string_view::npos) bad(lineNumber, "a field without '='");
    fields[field.substr(0, equals)] = field.substr(equals + 1);
    start = end + 1;
  }
  const auto count = [&](std::string_view name) {
    return static_cast<int>(number(fields, name, 0, 0x7fffffff, lineNumber));
  };
  const auto found = fields.find("ending");
  if (found == fields.end()) bad(lineNumber, "no ending");
  const auto seed = fields.find("seed");
  LogEntry entry{text(fields, "version"),
                 text(fields, "start"),
                 text(fields, "end"),
                 seed != fields.end() && seed->second == "-"
                     ? std::nullopt
                     : std::optional(static_cast<unsigned>(
                           number(fields, "seed", 0, 0xffffffff, lineNumber))),
                 GameSummary{ending(found->second, lineNumber), count("area"), count("score"),
                             Kills{count("pawns"), count("knights"), count("bishops"),
                                   count("rooks"), count("queens"), count("king")},
                             count("turns"), 0},
                 text(fields, "recording"),
                 text(fields, "recovered") == "yes"};
  return entry;
}

std::string seedText(const std::optional<unsigned>& seed) {
  return seed ? std::to_string(*seed) : "-";
}

bool finished(const LogEntry& entry) {
  const Ending e = entry.summary.ending;
  return e == Ending::Win || e == Ending::Draw || e == Ending::Lose;
}

}  // namespace

std::string logLine(const LogEntry& entry) {
  return "version=" + printableText(entry.version) + "\tstart=" + entry.start +
         "\tend=" + entry.end + "\tseed=" + seedText(entry.seed) + "\t" +
         summaryText(entry.summary, '\t') + "\trecording=" + entry.recording +
         (entry.recovered ? "\trecovered=yes" : "") +
         (isDailyGame(entry.seed, entry.start) ? "\tdaily=yes" : "") + "\n";
}

void appendToLog(const LogEntry& entry) {
  try {
    const std::optional<Folder> folder = openFolder(SaveDir());
    if (!folder) return;
    if (const std::optional<AppendFile> log = appendEntry(*folder, LogEntryName)) {
      log->append(logLine(entry));
    }
  } catch (const GameError&) {
    // a folder the game must not use: the game goes on without its log line
  }
}

std::vector<LogEntry> readLog(std::string_view text) {
  std::vector<LogEntry> entries;
  std::size_t lineNumber = 0;
  for (std::size_t start = 0; start < text.size();) {
    ++lineNumber;
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) bad(lineNumber, "it is cut short");
    entries.push_back(entryOf(text.substr(start, end - start), lineNumber));
    start = end + 1;
  }
  return entries;
}

std::vector<LogEntry> readPlayersLog() {
  const std::optional<Folder> folder = openFolder(SaveDir());
  if (!folder || !holds(*folder, LogEntryName)) return {};
  return readLog(readEntry(*folder, LogEntryName, MaxLogSize));
}

std::string bestGamesTable(const std::vector<LogEntry>& entries, std::optional<unsigned> day) {
  std::vector<LogEntry> games;
  std::copy_if(entries.begin(), entries.end(), std::back_inserter(games),
               [day](const LogEntry& entry) {
                 return finished(entry) &&
                        (!day || (entry.seed == day && isDailyGame(entry.seed, entry.start)));
               });
  if (games.empty()) return day ? "No games of the day yet.\n" : "No games yet.\n";
  bool anyDaily = false;
  std::stable_sort(games.begin(), games.end(), [](const LogEntry& a, const LogEntry& b) {
    return a.summary.score > b.summary.score;
  });
  games.resize(std::min(games.size(), BestGames));
  std::string table = "Rank  Score  Outcome  Area  Date        Seed        Recording\n";
  for (std::size_t i = 0; i < games.size(); ++i) {
    const LogEntry& g = games[i];
    char row[160];
    const bool daily = isDailyGame(g.seed, g.start);
    anyDaily = anyDaily || daily;
    const std::string seed = seedText(g.seed) + (daily ? "*" : "");
    std::snprintf(row, sizeof row, "%4zu %6d  %-7s %5d  %-10.10s  %-10s  %.60s", i + 1,
                  g.summary.score, endingName(g.summary.ending).c_str(), g.summary.level,
                  g.end.c_str(), seed.c_str(), g.recording.c_str());
    std::string text = row;
    while (text.ends_with(' ')) text.pop_back();
    table += text + "\n";
  }
  if (anyDaily) table += "* the game of the day, the same for every player that day (--daily)\n";
  return table;
}

}  // namespace vh
