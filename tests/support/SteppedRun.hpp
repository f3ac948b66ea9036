// Test support for driver-level tests: a run of games given one input at a time, as the terminal
// shell gives them, with its files in memory and its screen updates shown on a virtual terminal.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "main/Game.hpp"
#include "random/Lfrand.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh {

class SteppedRun {
 public:
  // A run over these files, drawing on the generator as `seed` starts it; each write first meets
  // `beforeWrite`, which may fail it.
  explicit SteppedRun(std::map<std::string, std::string> files = {}, unsigned seed = 1,
                      MemoryStore::WriteCheck beforeWrite = {})
      : files(std::move(files), std::move(beforeWrite)), game(begin(seed)) {
    showUpdates(screen, opening(game).updates);
  }
  SteppedRun(const SteppedRun&) = delete;  // the run keeps to these files
  SteppedRun& operator=(const SteppedRun&) = delete;

  // Each key one input, its writes carried out before the next.
  void press(std::string_view keys) {
    for (const char key : keys) give(Input{static_cast<unsigned char>(key), 0});
  }
  void give(Input input) {
    ASSERT_NE(game.waiting, Waiting::Over) << "the run has ended";
    const Answer answer = settleFiles(game, step(game, input), files);
    for (const ScreenUpdate& update : answer.updates) EXPECT_FALSE(update.cursorVisible);
    showUpdates(screen, answer.updates);
  }
  void signal(int signal) { give(Input{NoKey, signal}); }

  // The file's content, "" when there is none.
  std::string file(const std::string& name) const {
    const auto found = files.files().find(name);
    return found == files.files().end() ? "" : found->second;
  }

  MemoryStore files;
  VirtualTerminal screen;
  Game game;

 private:
  Game begin(unsigned seed) {
    const UsingTerminal shown(screen);
    startScreen();  // the shell's own terminal, with its colours defined
    const UsingStore filesIn(files);
    lfSrand(seed);
    return startRun(screen.colours());
  }
};

}  // namespace vh
