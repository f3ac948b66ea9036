#include "main/Run.hpp"

#include <cstdio>
#include <exception>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "record/Recorder.hpp"
#include "screen/Screen.hpp"

namespace vh {

void playRecordedRun(Terminal& screen, unsigned seed,
                     const std::function<void(bool)>& gameInPlay) {
  lfSrand(seed);
  try {
    Recorder recorder(screen, VARDENHOLT_VERSION, seed);
    observeGames({[&] {
                    recorder.gameStarted();
                    if (gameInPlay) gameInPlay(true);
                  },
                  [&](const GameSummary& summary) {
                    recorder.gameEnded(summary);
                    if (gameInPlay) gameInPlay(false);
                  }});
    useTerminal(recorder);
    runVardenholt();
  } catch (const GameError& error) {
    std::printf("%s (error code %d)\n", error.what(), error.code());
  } catch (const std::exception& error) {
    std::printf("%s\n", error.what());
  }
}

}  // namespace vh
