#include "main/Options.hpp"

#include <getopt.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "save/Savefile.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr const char* usageLine = "Usage: vardenholt [-h | --help] [-V | --version]\n";

constexpr option longOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};
constexpr const char* shortOptions = "hV";

// The word getopt_long stopped at: the whole argument for a long option, the letter otherwise.
// It comes from the user, so it reaches the terminal only as printable text.
std::string offendingOption(char* argv[]) {
  const char* word = argv[optind - 1];
  if (optopt == 0 || std::strncmp(word, "--", 2) == 0) return printableText(word);
  return printableText(std::string("-") + static_cast<char>(optopt));
}

std::string helpText() {
  const std::string files = "Files: " + SaveName() + " (the saved game)\n       " +
                            HighscoreName() + " (the high score)\n";
  return std::string(usageLine) +
         "A turn-based dungeon game for an 80x24 terminal: you are the White King, every enemy is\n"
         "a chess piece, and every capture teaches you new moves.\n"
         "\n"
         "  -h, --help      print this help and exit\n"
         "  -V, --version   print the version and exit\n"
         "\n"
         "Keys: hjkl or arrows move, yubn diagonally, . waits, ? helps, S saves and leaves.\n" +
         files + "The manual tells the rest: man 6 vardenholt\n";
}

// Writes the text to standard output; a write that fails is reported, and ends with status 1.
int print(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  std::fprintf(stderr, "vardenholt: cannot write to standard output: %s\n", std::strerror(errno));
  return 1;
}

}  // namespace

Options parseOptions(int argc, char* argv[]) {
  bool help = false;
  bool version = false;
  Options options;
  opterr = 0;  // the problem is reported here, in the program's own words
  optind = 0;  // a fresh scan each call, however often the parser runs
  for (int letter; (letter = getopt_long(argc, argv, shortOptions, longOptions, nullptr)) != -1;) {
    switch (letter) {
      case 'h': help = true; break;
      case 'V': version = true; break;
      default:
        if (options.problem.empty()) {
          options.problem = "unrecognised option '" + offendingOption(argv) + "'";
        }
    }
  }
  if (options.problem.empty() && optind < argc) {
    options.problem = "unexpected argument '" + printableText(argv[optind]) + "'";
  }
  if (!options.problem.empty()) {
    options.action = Action::Misuse;
  } else if (help) {
    options.action = Action::Help;
  } else if (version) {
    options.action = Action::Version;
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
    case Action::Play: break;
  }
  return 0;
}

}  // namespace vh
