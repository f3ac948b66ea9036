// The program entry: one game per save folder, then the game on the real terminal, inside a
// last-resort error boundary.
#include <cstdio>
#include <exception>
#include <string>

#include "main/Vardenholt.hpp"
#include "save/Savelock.hpp"
#include "screen/CursesTerminal.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/Util.hpp"

int main() {
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
