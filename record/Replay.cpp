#include "record/Replay.hpp"

#include <unistd.h>

#include <algorithm>
#include <chrono>
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

// Thrown when the watcher stops a replay before its game ends.
struct ReplayStopped {};

// The last words of a replay, on the bottom line, until the watcher presses a key.
void sayGoodbye(Terminal& screen, const char* text) {
  printAtColour(0, 23, text, Colour::Yellow, Attribute::Bold);
  updateScreen();
  screen.readKey();
}

// Hands the recorded keys to the game one by one, each after a pause, while the real keyboard
// steers the pace. Everything drawn goes to the real screen.
class PacedTerminal final : public Terminal {
 public:
  PacedTerminal(Terminal& screen, const std::vector<RecordedKey>& keys)
      : screen_(screen), keys_(keys) {}

  // Whether a signal from outside, not one of the recording's, ended the replay.
  bool interrupted() const { return interrupted_; }

  void start() override { screen_.start(); }
  void stop() override { screen_.stop(); }
  int colours() const override { return screen_.colours(); }
  void definePair(int pair, Colour foreground, bool bright) override {
    screen_.definePair(pair, foreground, bright);
  }
  void attributesOn(TextAttributes attributes) override { screen_.attributesOn(attributes); }
  void attributesOff(TextAttributes attributes) override { screen_.attributesOff(attributes); }
  void write(int column, int row, std::string_view text) override {
    screen_.write(column, row, text);
  }
  void clear() override { screen_.clear(); }
  void refresh() override { screen_.refresh(); }
  void setCursorVisible(bool visible) override { screen_.setCursorVisible(visible); }
  int readKeyWithin(int) override { return readKey(); }

  int readKey() override {
    if (next_ == keys_.size()) {
      sayGoodbye(screen_, "The recording stops here: press any key to leave.");
      throw ReplayStopped{};
    }
    if (!waitForTurn()) return NoKey;
    const RecordedKey key = keys_[next_++];
    if (key.signal == 0) return key.key;
    noteSignal(key.signal);
    return NoKey;
  }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds Fastest{25}, Slowest{3200};

  // Waits out the pause before the next key, acting on the watcher's keys meanwhile; false when
  // a signal came.
  bool waitForTurn() {
    Clock::time_point due = Clock::now() + pause_;
    for (;;) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
      if (!paused_ && left.count() <= 0) return true;
      const int key =
          paused_ ? screen_.readKey() : screen_.readKeyWithin(static_cast<int>(left.count()));
      if (pendingSignal() != 0) {
        interrupted_ = true;
        return false;
      }
      switch (key) {
        case ' ':
          paused_ = !paused_;
          due = Clock::now() + pause_;
          break;
        case '+': pause_ = std::max(pause_ / 2, Fastest); break;
        case '-': pause_ = std::min(pause_ * 2, Slowest); break;
        case 'q':
        case 'Q': throw ReplayStopped{};
        default: break;
      }
    }
  }

  Terminal& screen_;
  const std::vector<RecordedKey>& keys_;
  std::size_t next_ = 0;
  std::chrono::milliseconds pause_{200};
  bool paused_ = false;
  bool interrupted_ = false;
};

// Holds the screen for a replay and gives it back however the replay ends.
class ReplayScreen {
 public:
  ReplayScreen() {
    startScreen();
    hideCursor();
  }
  ~ReplayScreen() {
    showCursor();
    endScreen();
  }
  ReplayScreen(const ReplayScreen&) = delete;
  ReplayScreen& operator=(const ReplayScreen&) = delete;
};

}  // namespace

int watchRecording(const std::string& path, Terminal& screen) {
  Recording recording;
  try {
    recording = loadRecording(path);
  } catch (const GameError& error) {
    std::fprintf(stderr, "vardenholt: %s\n", errorLine(error).c_str());
    return 1;
  }
  PacedTerminal paced(screen, recording.keys);
  useTerminal(paced);
  const ReplayScreen session;
  try {
    replayGame(recording);
    if (paced.interrupted()) return 0;
    clearPendingSignal();  // the recording's own signal, which ended its game
    sayGoodbye(screen, "The recording is over: press any key to leave.");
  } catch (const ReplayStopped&) {
    // the watcher had seen enough, or the recording stopped before its game ended
  }
  return 0;
}

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
