// The text of a game's recording: everything needed to play the game again exactly, written as
// the game goes, so that a run that crashes or hangs up keeps the keys so far.
//
//   vardenholt-recording 1              the format, and its version
//   game-version 1.0.0                  the game that made it
//   seed 1767225600                     what the run's generator was seeded with
//   started 2026-12-07T01:23:45Z        when the game began (UTC)
//   generator 0 <55 numbers>            the generator's state as the game began
//   saved-game 156457                   the saved game it continued from, "none" when new:
//   <exactly that many bytes>           the file as it was, then a newline
//   high-score 52 / <bytes>             the high-score file as it was, likewise
//   keys
//   104                                 one line per key read, its code in decimal
//   signal 1                            a signal that ended the game, if one did
//   result ending=win area=20 ...       how the game ended (see summaryText)
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"

namespace vh {

// Raised, with a message naming the fault, for a text that is not a recording this game reads.
inline constexpr int BadRecordingCode = 260;

// The largest recording read: far beyond any game, small enough to read whole.
inline constexpr std::size_t MaxRecordingSize = 64 * 1024 * 1024;

// What a recording begins with.
struct RecordingStart {
  std::string gameVersion;
  unsigned seed;
  std::string started;
  LfState generator;
  std::optional<std::string> savedGame;
  std::optional<std::string> highScore;
};

// One event read from the keyboard: a key, or the signal that ended the game.
struct RecordedKey {
  int key;
  int signal;  // 0 for a key
};

struct Recording {
  RecordingStart start;
  std::vector<RecordedKey> keys;
  std::optional<GameSummary> result;  // absent when the game never ended
};

// The header of a recording, up to and including the "keys" line.
std::string recordingHeader(const RecordingStart& start);
std::string keyLine(int key);
std::string signalLine(int signal);
std::string resultLine(const GameSummary& summary);

// A summary as one line of fields: "ending=win area=20 score=1060 pawns=1 knights=2 bishops=1
// rooks=1 queens=5 king=1 turns=123", separated by `separator`.
std::string summaryText(const GameSummary& summary, char separator = ' ');
// The name of an ending in recordings and the log: win, draw, lose, saved or stopped.
std::string endingName(Ending ending);

// Reads a recording; raises BadRecordingCode for anything that is not one.
Recording readRecording(std::string_view text);

}  // namespace vh
