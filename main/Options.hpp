// The command line: what the player asked of the program before any game starts.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace vh {

// What the program does once its arguments are read.
enum class Action { Play, Help, Version, Misuse, Replay, Verify, Recover, Scores, Recordings };

// The largest seed a player may choose: the generator takes any 31-bit number.
inline constexpr unsigned MaxSeed = 2147483647;

// The command line, read. Later options add their own fields here.
struct Options {
  Action action = Action::Play;
  std::string problem;           // for Misuse: the one line naming what was wrong
  std::optional<unsigned> seed;  // for Play: a new game from this seed instead of the clock
  bool daily = false;  // the seed is the game of the day's; for Scores, only that day's games
  std::vector<std::string> recordings;  // for Replay and Recover: one path; for Verify: any
};

// Reads the arguments with getopt_long, on the day that `now` falls in. A mistake anywhere on the
// line wins over --help and --version, and --help over --version; no argument at all means play.
Options parseOptions(int argc, char* argv[], std::time_t now = std::time(nullptr));

// Answers a command line that asks for neither a game nor a recording: the help, the version or
// the best games on standard output (status 0; 1 when the log cannot be read), or the problem and
// the usage line on standard error (status 2).
int answerWithoutPlaying(const Options& options);

}  // namespace vh
