#include "record/Replay.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "random/Lfrand.hpp"
#include "save/Folder.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh {
namespace {

// A private folder holding the files as the recorded game found them; the game's own folder is
// in use again, and the private one gone, when this ends.
class ReplayFolder {
 public:
  explicit ReplayFolder(const RecordingStart& start) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vardenholt-replay-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) fileError(pattern, errno);
    path_ = pattern + "/";
    useSaveDir(path_);
    const std::optional<Folder> folder = openFolder(path_);
    if (!folder) fileError(path_, errno);
    if (start.savedGame) replaceEntry(*folder, "vardenholt.sav", *start.savedGame);
    if (start.highScore) replaceEntry(*folder, "vardenholt.hs", *start.highScore);
  }
  ~ReplayFolder() {
    useSaveDir("");
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ReplayFolder(const ReplayFolder&) = delete;
  ReplayFolder& operator=(const ReplayFolder&) = delete;

 private:
  std::string path_;
};

}  // namespace

Recording loadRecording(const std::string& path) {
  return readRecording(readPath(path, MaxRecordingSize));
}

ReplayResult replayGame(const Recording& recording) {
  const ReplayFolder folder(recording.start);
  lfRestore(recording.start.generator);
  std::optional<GameSummary> reached;
  try {
    reached = playOneGame();
  } catch (const KeyScriptExhausted&) {
    // the recording stops before the game does
  }
  clearPendingSignal();
  return ReplayResult{reached, 0};
}

int verifyRecording(const std::string& path) {
  Recording recording;
  try {
    recording = loadRecording(path);
  } catch (const GameError& error) {
    std::printf("%s\n", errorLine(error).c_str());
    return 1;
  }
  VirtualTerminal terminal;
  for (const RecordedKey& key : recording.keys) {
    key.signal != 0 ? terminal.sendSignal(key.signal) : terminal.pressKey(key.key);
  }
  useTerminal(terminal);
  startScreen();
  ReplayResult result;
  try {
    result = replayGame(recording);
  } catch (const GameError& error) {
    std::printf("%s\n", errorLine(error).c_str());
    return 1;
  }
  result.keysLeft = terminal.keysLeft();
  if (!result.reached) {
    std::printf("unfinished: the recording ends before the game does\n");
    return 1;
  }
  std::printf("%s\n", summaryText(*result.reached).c_str());
  if (!recording.result) {
    std::printf("the recording holds no result: the game it recorded never ended\n");
    return 1;
  }
  if (result.keysLeft != 0) {
    std::printf("%zu keys are left over after the game ended\n", result.keysLeft);
    return 1;
  }
  if (*result.reached != *recording.result) {
    std::printf("the recording says: %s\n", summaryText(*recording.result).c_str());
    return 1;
  }
  return 0;
}

}  // namespace vh
