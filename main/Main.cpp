// The program entry: the command line first, then one game per save folder, on a terminal it can
// play on, then the game on the real terminal, recorded as it goes, inside a last-resort error
// boundary.
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "main/Options.hpp"
#include "main/Run.hpp"
#include "main/Vardenholt.hpp"
#include "record/Link.hpp"
#include "record/Recover.hpp"
#include "record/Replay.hpp"
#include "record/Watch.hpp"
#include "save/Savefile.hpp"
#include "save/Savelock.hpp"
#include "screen/CursesTerminal.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/Util.hpp"

namespace {

int refuse(const std::string& line) {
  std::fprintf(stderr, "vardenholt: %s\n", line.c_str());
  return 1;
}

// A game on the real terminal, from the saved game or a new one seeded from the clock or the
// player's seed, with every game of the run recorded and logged.
int play(const vh::Options& options) {
  vh::catchTerminationSignals();
  vh::SaveLock lock;
  try {
    lock = vh::lockSaveFolder();
    // A seeded game is a new game: it must neither replace nor continue the saved one.
    if (options.seed && vh::saveExists()) {
      return refuse("a saved game exists in " + vh::SaveDir() + "; run vardenholt without " +
                    (options.daily ? "--daily" : "--seed") + " to continue it");
    }
  } catch (const vh::GameError& error) {
    // The lock's refusals are sentences of their own; other errors show their code, as on screen.
    const bool lockRefused =
        error.code() == vh::AlreadyRunningCode || error.code() == vh::CannotLockCode;
    return refuse(lockRefused ? vh::printableText(error.what()) : vh::errorLine(error));
  }
  if (const auto problem = vh::unusableTerminal()) return refuse(*problem);
  vh::CursesTerminal terminal;
  vh::playRecordedRun(terminal, options.seed.value_or(static_cast<unsigned>(std::time(nullptr))));
  return 0;
}

// A recording the command line names: a file, or a link that holds one, decoded when it is read.
vh::RecordingSource sourceOf(const std::string& given, const std::string& linkName) {
  if (!vh::isGameLink(given)) return vh::RecordingSource{given, {}};
  return vh::RecordingSource{linkName, [given] { return vh::recordingOfLink(given); }};
}

// Each recording checked, a link named by its place on the command line.
int verify(const vh::Options& options) {
  std::vector<vh::RecordingSource> sources;
  for (const std::string& given : options.recordings) {
    sources.push_back(sourceOf(given, "link " + std::to_string(sources.size() + 1)));
  }
  return vh::verifyRecordings(sources);
}

// A recorded game shown on the real terminal; the player's own files are never touched.
int watch(const vh::Options& options) {
  if (const auto problem = vh::unusableTerminal()) return refuse(*problem);
  vh::catchTerminationSignals();
  vh::CursesTerminal terminal;
  return vh::watchRecording(sourceOf(options.recordings.front(), "link"), terminal);
}

// The saved game that a stopped game's failed save lost, written under the save folder's lock.
int recover(const vh::Options& options) {
  vh::SaveLock lock;
  try {
    lock = vh::lockSaveFolder();
  } catch (const vh::GameError& error) {
    return refuse(error.code() == vh::AlreadyRunningCode ? vh::printableText(error.what())
                                                         : vh::errorLine(error));
  }
  return vh::recoverGame(options.recordings.front());
}

}  // namespace

int main(int argc, char* argv[]) {
  const vh::Options options = vh::parseOptions(argc, argv);
  switch (options.action) {
    case vh::Action::Play: return play(options);
    case vh::Action::Replay: return watch(options);
    case vh::Action::Verify: return verify(options);
    case vh::Action::Recover: return recover(options);
    default: return vh::answerWithoutPlaying(options);
  }
}
