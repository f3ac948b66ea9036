// The program entry: the game on the real terminal, inside a last-resort error boundary.
#include <cstdio>
#include <exception>

#include "main/Vardenholt.hpp"
#include "screen/CursesTerminal.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/Util.hpp"

int main() {
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
