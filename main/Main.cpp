// The program entry: the command line first, then the game on the real terminal, inside a
// last-resort error boundary.
#include <cstdio>
#include <exception>

#include "main/Options.hpp"
#include "main/Vardenholt.hpp"
#include "screen/CursesTerminal.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/Util.hpp"

int main(int argc, char* argv[]) {
  const vh::Options options = vh::parseOptions(argc, argv);
  if (options.action != vh::Action::Play) return vh::answerWithoutPlaying(options);

  vh::catchTerminationSignals();
  try {
    vh::CursesTerminal terminal;
    vh::useTerminal(terminal);
    vh::runVardenholt();
  } catch (const vh::GameError& error) {
    std::printf("%s (error code %d)\n", error.what(), error.code());
  } catch (const std::exception& error) {
    std::printf("%s\n", error.what());
  }
  return 0;
}
