// The entry of the browser page: the seed the page was opened with, one game per browser, the
// files in the browser's storage, then the game on the page's screen, recorded as it goes, as the
// program does in a terminal.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "main/Options.hpp"
#include "main/Run.hpp"
#include "main/Vardenholt.hpp"
#include "record/Recorder.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Util.hpp"
#include "web/WebTerminal.hpp"

namespace {

// The page's side, in web/page.js.
EM_ASYNC_JS(int, pageHoldLock, (), { return await Module.vhHoldLock(); });
EM_ASYNC_JS(void, pageOpenStorage, (const char* folder),
            { await Module.vhOpenStorage(UTF8ToString(folder)); });
EM_JS(void, pageUseFiles, (const char* savedGame, const char* recordings),
      { Module.vhUseFiles(UTF8ToString(savedGame), UTF8ToString(recordings)); });
EM_JS(void, pageGameInPlay, (int inPlay), { Module.vhGameInPlay(inPlay != 0); });
EM_JS(void, pageRunEnded, (), { Module.vhRunEnded(); });

int refuse(const std::string& line) {
  std::fprintf(stderr, "vardenholt: %s\n", line.c_str());
  return 1;
}

// The run: from the saved game or a new one, seeded from the clock or the page's seed, every game
// recorded and logged.
int play(const vh::Options& options) {
  if (pageHoldLock() == 0) {
    return refuse("a game is already running in another page of this browser; close it first");
  }
  const char* home = std::getenv("HOME");
  pageOpenStorage(home != nullptr ? home : "/");
  pageUseFiles(vh::SaveName().c_str(), vh::recordingsDir().c_str());
  try {
    // A seeded game is a new game: it must neither replace nor continue the saved one.
    if (options.seed && vh::saveExists()) {
      return refuse(
          "a saved game exists in this browser; open the page without ?seed= to "
          "continue it");
    }
  } catch (const vh::GameError& error) {
    return refuse(vh::errorLine(error));
  }
  vh::WebTerminal terminal;
  vh::playRecordedRun(terminal, options.seed.value_or(static_cast<unsigned>(std::time(nullptr))),
                      [](bool inPlay) { pageGameInPlay(inPlay ? 1 : 0); });
  return 0;
}

}  // namespace

// The page passes its seed as the command line's --seed.
int main(int argc, char* argv[]) {
  const vh::Options options = vh::parseOptions(argc, argv);
  const int status = options.action == vh::Action::Misuse ? refuse(options.problem) : play(options);
  pageRunEnded();
  return status;
}
