#include "main/Run.hpp"

#include <cstdio>
#include <exception>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "record/Recorder.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

// Tells the recorder of each game while it lives; no one once it is gone.
class ObservedGames {
 public:
  explicit ObservedGames(GameObserver observer) { observeGames(std::move(observer)); }
  ~ObservedGames() { observeGames({}); }
  ObservedGames(const ObservedGames&) = delete;
  ObservedGames& operator=(const ObservedGames&) = delete;
};

}  // namespace

void playRecordedRun(Terminal& screen, unsigned seed,
                     const std::function<void(bool)>& gameInPlay) {
  lfSrand(seed);
  try {
    FolderStore saveFolder;
    Recorder recorder(screen, saveFolder, VARDENHOLT_VERSION, seed);
    const ObservedGames observed({[&] {
                                    recorder.gameStarted();
                                    if (gameInPlay) gameInPlay(true);
                                  },
                                  [&](const GameSummary& summary) {
                                    recorder.gameEnded(summary);
                                    if (gameInPlay) gameInPlay(false);
                                  }});
    const UsingTerminal recordedKeys(recorder);
    const UsingStore recordedWrites(recorder);
    runVardenholt();
  } catch (const GameError& error) {
    std::printf("%s (error code %d)\n", printableText(error.what()).c_str(), error.code());
  } catch (const std::exception& error) {
    std::printf("%s\n", printableText(error.what()).c_str());
  }
}

}  // namespace vh
