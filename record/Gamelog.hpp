// The log of every game: one line per ended game in games.log beside the saved game, in the
// tab-separated key=value form that game servers read, and the table of the best games in it.
//
//   version=1.1.0  start=2026-12-07T01:23:45Z  end=2026-12-07T01:40:02Z  seed=1767225600
//   ending=win  area=20  score=1060  pawns=1  knights=2  bishops=1  rooks=1  queens=5  king=1
//   turns=812  recording=20261207-012345-4242-1.vhr          (all on one line, tab-separated)
//
// The seed is "-" for a game that no seed starts (a continued game, a later game of a run): its
// recording replays it instead. A game recovered from its recording has a line of its own that
// ends in recovered=yes; the game of the day (see Daily.hpp) ends in daily=yes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "main/Vardenholt.hpp"

namespace vh {

struct LogEntry {
  std::string version;
  std::string start;
  std::string end;
  std::optional<unsigned> seed;  // none when no seed starts this game
  GameSummary summary;
  std::string recording;  // the recording's file name, empty when none was kept
  bool recovered = false;  // the line of a saved game written anew from its recording
};

// The entry as one line of the log, newline included.
std::string logLine(const LogEntry& entry);

// Appends the entry to the log in one write. A log that cannot be written costs the game nothing:
// the line is lost.
void appendToLog(const LogEntry& entry);

// The entries of a log's text; raises BadLogCode for a line it cannot read.
std::vector<LogEntry> readLog(std::string_view text);

// The entries of the player's log; none when there is no log yet.
std::vector<LogEntry> readPlayersLog();

// The ten best finished games (won, drawn or lost), best first, as a table with rank, score,
// outcome, area, date, seed and recording, the games of the day marked; only the games of the
// day `day` names, when it names one; a line saying so when there are none.
std::string bestGamesTable(const std::vector<LogEntry>& entries,
                           std::optional<unsigned> day = std::nullopt);

}  // namespace vh
