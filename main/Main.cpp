// The program entry: the command line first, then one game per save folder, then the game on the
// real terminal, inside a last-resort error boundary.
#include <cstdio>
#include <exception>
#include <string>

#include "main/Options.hpp"
#include "main/Vardenholt.hpp"
#include "save/Savelock.hpp"
#include "screen/CursesTerminal.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/Util.hpp"

int main(int argc, char* argv[]) {
  const vh::Options options = vh::parseOptions(argc, argv);
  if (options.action != vh::Action::Play) return vh::answerWithoutPlaying(options);

  vh::catchTerminationSignals();
  vh::SaveLock lock;
  try {
    lock = vh::lockSaveFolder();
  } catch (const vh::GameError& error) {
    const std::string line = error.code() == vh::AlreadyRunningCode
                                 ? vh::printableText(error.what())
                                 : vh::errorLine(error);
    std::fprintf(stderr, "vardenholt: %s\n", line.c_str());
    return 1;
  }
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
