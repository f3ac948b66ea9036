// The command line: what the player asked of the program before any game starts.
#pragma once

#include <string>

namespace vh {

// What the program does once its arguments are read.
enum class Action { Play, Help, Version, Misuse };

// The command line, read. Later options add their own fields here.
struct Options {
  Action action = Action::Play;
  std::string problem;  // for Misuse: the one line naming what was wrong
};

// Reads the arguments with getopt_long. A mistake anywhere on the line wins over --help and
// --version, and --help over --version; no argument at all means play.
Options parseOptions(int argc, char* argv[]);

// Answers a command line that asks for something other than a game: the help or the version on
// standard output (status 0), or the problem and the usage line on standard error (status 2).
int answerWithoutPlaying(const Options& options);

}  // namespace vh
