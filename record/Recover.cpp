#include "record/Recover.hpp"

#include <cstdio>
#include <filesystem>
#include <new>

#include "record/Gamelog.hpp"
#include "record/Recorder.hpp"
#include "record/Replay.hpp"
#include "save/Savefile.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

int refuse(const std::string& line) {
  std::fprintf(stderr, "vardenholt: %s\n", line.c_str());
  return 1;
}

bool recoveredBefore(const std::string& name) {
  for (const LogEntry& entry : readPlayersLog()) {
    if (entry.recovered && entry.recording == name) return true;
  }
  return false;
}

int recover(const std::string& path) {
  const std::string name = printableText(std::filesystem::path(path).filename().string());
  if (recoveredBefore(name)) return refuse("the game of " + name + " was recovered before");
  FolderStore saveFolder;
  if (saveFolder.holds(SaveEntry)) {
    return refuse("a saved game exists in " + SaveDir() + "; a recovered game would replace it");
  }
  std::optional<unsigned> seed;
  const ReplayResult replay =
      replayFile(RecordingSource{path, {}}, [&seed](const RecordingStart& start) { seed = start.seed; });
  if (replay.error) return refuse(*replay.error);
  if (!replay.reached || replay.reached != replay.recorded ||
      replay.reached->ending != Ending::Stopped || !replay.unwrittenSave) {
    return refuse(name +
                  " is not the whole recording of a game whose save failed as a signal "
                  "stopped it");
  }
  saveFolder.replace(SaveEntry, *replay.unwrittenSave);
  GameSummary summary = *replay.reached;
  summary.ending = Ending::Saved;
  const std::string now = utcNow();
  appendToLog(LogEntry{VARDENHOLT_VERSION, now, now, seed, summary, name, true});
  std::printf("The game of %s has been recovered. Run vardenholt to continue it.\n", name.c_str());
  return 0;
}

}  // namespace

int recoverGame(const std::string& path) {
  try {
    return recover(path);
  } catch (const GameError& error) {
    return refuse(errorLine(error));
  } catch (const std::bad_alloc&) {
    return refuse("out of memory");
  }
}

}  // namespace vh
