// The text of a game's recording: everything needed to play the game again exactly, written as
// the game goes, so that a run that crashes or hangs up keeps the keys so far.
//
//   vardenholt-recording 1              the format, and its version
//   game-version 1.1.0                  the game that made it
//   seed 1767225600                     the seed that starts this game, "-" when none does
//   started 2026-12-07T01:23:45Z        when the game began (UTC)
//   generator 0 <55 numbers>            the generator's state as the game began
//   saved-game 156457                   the saved game it continued from, "none" when new:
//   <exactly that many bytes>           the file as it was, then a newline
//   high-score 52 / <bytes>             the high-score file as it was, likewise
//   keys
//   104                                 one line per key read, its code in decimal
//   failed vardenholt.sav 1 File Error: ...   a write of a file that failed, and its error
//   signal 1                            a signal that ended the game, if one did
//   result ending=win area=20 ...       how the game ended (see summaryText)
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"

namespace vh {

// The largest recording read, however it is read.
inline constexpr std::size_t MaxRecordingSize = 64 * 1024 * 1024;

// The last version of the game whose recordings give the run's seed to every game of a run and
// note no failed write.
inline constexpr std::string_view FirstRecordingVersion = "1.0.0";

// What a recording begins with.
struct RecordingStart {
  std::string gameVersion;
  std::optional<unsigned> seed;  // none when no seed gives this game's start
  std::string started;
  LfState generator;
  std::optional<std::string> savedGame;
  std::optional<std::string> highScore;
};

// One event read from the keyboard: a key, or the signal that ended the game.
struct RecordedKey {
  int key;
  int signal;  // 0 for a key

  bool operator==(const RecordedKey&) const = default;
};

// A write of one of the game's files that failed, and the error it failed with.
struct FailedWrite {
  std::string name;
  int code;
  std::string message;

  bool operator==(const FailedWrite&) const = default;
};

// What follows the start, line by line: keys, failed writes, and the result last.
using RecordedEvent = std::variant<RecordedKey, FailedWrite, GameSummary>;

// A whole recording. Each failed write comes with the number of keys read before it.
struct Recording {
  RecordingStart start;
  std::vector<RecordedKey> keys;
  std::vector<std::pair<std::size_t, FailedWrite>> failedWrites;
  std::optional<GameSummary> result;  // absent when the game never ended
};

// The header of a recording, up to and including the "keys" line.
std::string recordingHeader(const RecordingStart& start);
std::string keyLine(int key);
std::string failedWriteLine(const FailedWrite& failure);
std::string signalLine(int signal);
std::string resultLine(const GameSummary& summary);

// A summary as one line of fields: "ending=win area=20 score=1060 pawns=1 knights=2 bishops=1
// rooks=1 queens=5 king=1 turns=123", separated by `separator`.
std::string summaryText(const GameSummary& summary, char separator = ' ');
// The name of an ending in recordings and the log: win, draw, lose, saved or stopped.
std::string endingName(Ending ending);
// Whether version `a` ("1.0.0") comes before version `b`; both as the game writes them.
bool earlierVersion(std::string_view a, std::string_view b);

// Reads a recording as a stream: the start at once, then one event at a time as they are asked
// for, so that a recording of any length is read in the same small memory. `source` fills the
// buffer it is given and returns how many bytes it wrote, 0 at the end. Every fault raises
// BadRecordingCode, naming it.
class RecordingReader {
 public:
  using Source = std::function<std::size_t(char* buffer, std::size_t size)>;
  explicit RecordingReader(Source source);

  const RecordingStart& start() const { return start_; }
  // The next event; none once the recording has ended.
  std::optional<RecordedEvent> next();

 private:
  std::string line(const char* what);
  std::string field(std::string_view name);
  std::optional<std::string> file(std::string_view name);
  bool atEnd();
  bool fill();

  Source source_;
  std::string buffer_;
  std::size_t position_ = 0;
  std::size_t read_ = 0;
  bool ended_ = false;
  bool resultRead_ = false;
  int signal_ = 0;  // the last signal read, which the result carries
  RecordingStart start_;
};

// Reads a whole recording; raises BadRecordingCode for anything that is not one.
Recording readRecording(std::string_view text);

}  // namespace vh
