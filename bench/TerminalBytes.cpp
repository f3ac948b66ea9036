// How many bytes the game sends to a real terminal: the game runs with curses on a
// pseudo-terminal while the same game, from the same seed, runs on the virtual terminal to tell
// which cells each step changed, the least any terminal output could carry.
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "screen/CursesTerminal.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh {
namespace {

constexpr unsigned Seed = 7;

// Reads everything the game sends until it has been quiet for a while.
std::size_t drain(int master) {
  std::size_t total = 0;
  char buffer[4096];
  pollfd output{master, POLLIN, 0};
  while (poll(&output, 1, 400) > 0) {
    const ssize_t got = read(master, buffer, sizeof buffer);
    if (got <= 0) break;
    total += static_cast<std::size_t>(got);
  }
  return total;
}

struct Step {
  const char* what;
  char key;
};

// Cells that differ, in character or style, between two screens; and the cells a repaint of a
// cleared screen must draw.
int changedCells(const VirtualTerminal& before, const VirtualTerminal& after, bool repaint) {
  int changed = 0;
  for (int row = 0; row < VirtualTerminal::Rows; ++row) {
    for (int column = 0; column < VirtualTerminal::Columns; ++column) {
      const bool differs = before.charAt(column, row) != after.charAt(column, row) ||
                           !(before.styleAt(column, row) == after.styleAt(column, row));
      const bool drawn = after.charAt(column, row) != ' ';
      changed += (repaint ? drawn : differs) ? 1 : 0;
    }
  }
  return changed;
}

// The virtual screen after the instructions and the given number of steps.
VirtualTerminal screenAfter(const std::vector<Step>& steps, std::size_t count) {
  VirtualTerminal terminal;
  useTerminal(terminal);
  lfSrand(Seed);
  terminal.pressKey(' ');
  for (std::size_t i = 0; i < count; ++i) terminal.pressKey(steps[i].key);
  try {
    runVardenholt();
  } catch (const KeyScriptExhausted&) {
    // Stopped where the script ends, in the middle of the game.
  }
  return terminal;
}

}  // namespace
}  // namespace vh

int main() {
  using namespace vh;
  const std::filesystem::path home = std::filesystem::temp_directory_path() / "vh-bytes-home";
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(home);
  setenv("HOME", home.c_str(), 1);
  setenv("TERM", "xterm-256color", 1);

  int master = -1;
  winsize size{24, 80, 0, 0};
  const pid_t child = forkpty(&master, nullptr, nullptr, &size);
  if (child == 0) {
    catchTerminationSignals();
    CursesTerminal terminal;
    useTerminal(terminal);
    lfSrand(Seed);
    runVardenholt();
    std::_Exit(0);
  }

  const std::vector<Step> steps = {{"first drawing of area 1", ' '},
                                   {"an ordinary turn (wait)", '.'},
                                   {"an ordinary turn (step right)", 'l'},
                                   {"a full redraw (r)", 'r'}};
  std::printf("%-32s %8s %14s\n", "step", "bytes", "cells changed");
  drain(master);  // the instructions
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (write(master, &steps[i].key, 1) != 1) return 1;
    const std::size_t bytes = drain(master);
    const bool repaint = i == 0 || steps[i].key == 'r';
    const int cells = changedCells(screenAfter(steps, i), screenAfter(steps, i + 1), repaint);
    std::printf("%-32s %8zu %14d\n", steps[i].what, bytes, cells);
  }
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  close(master);
  std::filesystem::remove_all(home);
  return 0;
}
