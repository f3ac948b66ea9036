#include "main/Options.hpp"

#include <getopt.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string_view>
#include <vector>

#include "record/Daily.hpp"
#include "record/Gamelog.hpp"
#include "record/Listing.hpp"
#include "record/Recorder.hpp"
#include "save/Savefile.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr const char* usageLine =
    "Usage: vardenholt [-s N | --seed N | --daily] [-r FILE | --replay FILE]\n"
    "                  [--verify FILE...] [--recover FILE] [--recordings]\n"
    "                  [--scores [--daily]] [-h | --help] [-V | --version]\n";

// Long options without a letter of their own.
constexpr int VerifyOption = 256;
constexpr int ScoresOption = 257;
constexpr int RecoverOption = 258;
constexpr int RecordingsOption = 259;
constexpr int DailyOption = 260;

constexpr option longOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {"seed", required_argument, nullptr, 's'},
    {"replay", required_argument, nullptr, 'r'},
    {"verify", required_argument, nullptr, VerifyOption},
    {"scores", no_argument, nullptr, ScoresOption},
    {"recover", required_argument, nullptr, RecoverOption},
    {"recordings", no_argument, nullptr, RecordingsOption},
    {"daily", no_argument, nullptr, DailyOption},
    {nullptr, 0, nullptr, 0},
};
constexpr const char* shortOptions = ":hVs:r:";

// Whether getopt_long stopped at a long option, whose word is then argv[optind - 1]. A bad letter
// inside a word such as -xh leaves optind on that word, so the word before it tells nothing.
bool atLongOption(const char* word) {
  if (optopt == 0) return true;
  const auto ofLongOption = [](const option& entry) { return entry.val == optopt; };
  return std::strncmp(word, "--", 2) == 0 &&
         std::any_of(std::begin(longOptions), std::end(longOptions) - 1, ofLongOption);
}

// The word getopt_long stopped at: the whole argument for a long option, the letter otherwise.
// It comes from the user, so it reaches the terminal only as printable text.
std::string offendingOption(char* argv[]) {
  const char* word = argv[optind - 1];
  if (atLongOption(word)) return printableText(word);
  return printableText(std::string("-") + static_cast<char>(optopt));
}

// The option getopt_long did not accept, and why: a long one may begin the names of several.
std::string unacceptedOption(char* argv[]) {
  std::vector<std::string> names;
  if (optopt == 0) {
    const std::string_view word = argv[optind - 1];
    const std::string_view name = word.substr(2, word.find('=') - 2);
    for (const option* entry = longOptions; entry->name != nullptr; ++entry) {
      if (std::string_view(entry->name).starts_with(name)) names.push_back(entry->name);
    }
  }
  if (names.size() < 2) return "unrecognised option '" + offendingOption(argv) + "'";
  std::sort(names.begin(), names.end());
  std::string problem = "option '" + offendingOption(argv) + "' is ambiguous; possibilities:";
  for (const std::string& each : names) problem += " '--" + each + "'";
  return problem;
}

std::optional<unsigned> seedFrom(const char* text) {
  unsigned seed = 0;
  const char* end = text + std::strlen(text);
  const auto [stop, error] = std::from_chars(text, end, seed);
  if (error != std::errc{} || stop != end || end == text || seed > MaxSeed) return std::nullopt;
  return seed;
}

std::string helpText() {
  const std::string files = "Files: " + SaveName() + " (the saved game)\n       " +
                            HighscoreName() + " (the high score)\n";
  return std::string(usageLine) +
         "A turn-based dungeon game for an 80x24 terminal: you are the White King, every enemy is\n"
         "a chess piece, and every capture teaches you new moves.\n"
         "\n"
         "  -s, --seed N         play a new game from seed N (0 to 2147483647) instead of the "
         "clock\n"
         "      --daily          play the game of the day: its seed is today's date in UTC,\n"
         "                       YYYYMMDD, the same game for every player\n"
         "  -r, --replay FILE    watch a recorded game: space pauses, . and the arrow keys step,\n"
         "                       n and p jump an area, g to a turn, + and - pace, q stops\n"
         "      --verify FILE... replay recordings without a terminal and check their results,\n"
         "                       each continued game after the one that saved it\n"
         "      --recover FILE   write the saved game that a stopped game's failed save lost\n"
         "      --recordings     list the recordings, newest first; a FILE above may be a name\n"
         "                       from the list\n"
         "      --scores         list the ten best games of the log; with --daily, the best\n"
         "                       plays of today's game of the day\n"
         "  -h, --help           print this help and exit\n"
         "  -V, --version        print the version and exit\n"
         "\n"
         "Keys: hjkl or arrows move, yubn diagonally, . waits, ? helps, S saves and leaves.\n" +
         files + "       " + SaveDir() + "recordings/ (a recording of every game)\n       " +
         SaveDir() + "games.log (a line for every game)\n" +
         "The manual tells the rest: man 6 vardenholt\n";
}

// Writes the text to standard output; a write that fails is reported, and ends with status 1.
int print(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  std::fflush(stdout);  // a flush that fails sets the error indicator, as a failed write does
  if (!std::ferror(stdout)) return 0;
  std::fprintf(stderr, "vardenholt: cannot write to standard output: %s\n", std::strerror(errno));
  return 1;
}

// The best games of the player's log, or of the day's game; a log that cannot be read is
// reported, with status 1.
int printScores(const Options& options) {
  std::string table;
  try {
    table = bestGamesTable(readPlayersLog(), options.daily ? options.seed : std::nullopt);
  } catch (const GameError& error) {
    std::fprintf(stderr, "vardenholt: %s\n", errorLine(error).c_str());
    return 1;
  }
  return print(table);
}

// The recordings of the save folder; a folder the game must not use is reported, with status 1.
int printRecordings() {
  std::string table;
  try {
    table = recordingsTable(recordingsDir());
  } catch (const GameError& error) {
    std::fprintf(stderr, "vardenholt: %s\n", errorLine(error).c_str());
    return 1;
  }
  return print(table);
}

}  // namespace

Options parseOptions(int argc, char* argv[], std::time_t now) {
  bool help = false;
  bool version = false;
  std::vector<Action> asked;  // what the options other than help and version ask for
  Options options;
  const auto problem = [&](const std::string& text) {
    if (options.problem.empty()) options.problem = text;
  };
  opterr = 0;  // the problem is reported here, in the program's own words
  optind = 0;  // a fresh scan each call, however often the parser runs
  for (int letter; (letter = getopt_long(argc, argv, shortOptions, longOptions, nullptr)) != -1;) {
    switch (letter) {
      case 'h': help = true; break;
      case 'V': version = true; break;
      case 's':
        options.seed = seedFrom(optarg);
        if (!options.seed) {
          problem("the seed must be a whole number from 0 to " + std::to_string(MaxSeed) +
                  ", not '" + printableText(optarg) + "'");
        }
        asked.push_back(Action::Play);
        break;
      case 'r':
      case VerifyOption:
      case RecoverOption:
        options.recordings.assign(1, recordingPath(optarg));
        asked.push_back(letter == 'r'              ? Action::Replay
                        : letter == VerifyOption ? Action::Verify
                                                 : Action::Recover);
        break;
      case ScoresOption: asked.push_back(Action::Scores); break;
      case RecordingsOption: asked.push_back(Action::Recordings); break;
      case DailyOption: options.daily = true; break;
      case ':': problem("option '" + offendingOption(argv) + "' needs a value"); break;
      default: problem(unacceptedOption(argv));
    }
  }
  // Only --verify takes more than one recording.
  const bool verifying = asked.size() == 1 && asked.front() == Action::Verify;
  for (; verifying && optind < argc; ++optind) {
    options.recordings.push_back(recordingPath(argv[optind]));
  }
  if (optind < argc) problem("unexpected argument '" + printableText(argv[optind]) + "'");
  // The game of the day is played alone, or its best games listed.
  if (options.daily) {
    if (asked.empty()) asked.push_back(Action::Play);
    if (asked.size() > 1 || options.seed ||
        (asked.front() != Action::Play && asked.front() != Action::Scores)) {
      problem("--daily plays the game of the day, or with --scores lists its best games, and "
              "goes with nothing else");
    }
    options.seed = dailySeed(now);
  }
  if (asked.size() > 1) {
    problem("choose one of --seed, --replay, --verify, --recover, --recordings and --scores");
  }
  if (!options.problem.empty()) {
    options.action = Action::Misuse;
  } else if (help) {
    options.action = Action::Help;
  } else if (version) {
    options.action = Action::Version;
  } else if (!asked.empty()) {
    options.action = asked.front();
  }
  return options;
}

int answerWithoutPlaying(const Options& options) {
  switch (options.action) {
    case Action::Help: return print(helpText());
    case Action::Version: return print("vardenholt " VARDENHOLT_VERSION "\n");
    case Action::Misuse:
      std::fprintf(stderr, "vardenholt: %s\n%s", options.problem.c_str(), usageLine);
      return 2;
    case Action::Scores: return printScores(options);
    case Action::Recordings: return printRecordings();
    case Action::Play:
    case Action::Replay:
    case Action::Verify:
    case Action::Recover: break;
  }
  return 0;
}

}  // namespace vh
