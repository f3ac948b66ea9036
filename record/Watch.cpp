#include "record/Watch.hpp"

#include <algorithm>
#include <cstdio>
#include <new>
#include <optional>

#include "record/Replay.hpp"
#include "record/Timeline.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr int StatusRow = ScreenBuffer::Rows - 1;
constexpr int ErrorRow = StatusRow - 1;
constexpr std::size_t MostTurnDigits = 7;

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

// What a key the watcher pressed asks for.
enum class Asked { Nothing, Leave, Moved };

class Watcher {
 public:
  Watcher(Timeline& timeline, Terminal& screen, const ReplayClock& clock)
      : timeline_(timeline), screen_(screen), clock_(clock) {}

  // Shows the recording until the watcher leaves, or a signal comes; whether that was at its end.
  bool watch() {
    draw();
    auto due = clock_() + pause_;
    for (;;) {
      const bool atEnd = timeline_.position() == timeline_.length();
      int key = NoKey;
      if (!paused_ && !atEnd) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - clock_());
        if (left.count() <= 0) {
          timeline_.forward();
          draw();
          due = clock_() + pause_;
          continue;
        }
        key = screen_.readKeyWithin(static_cast<int>(left.count()));
      } else {
        key = screen_.readKey();
      }
      if (pendingSignal() != 0) return atEnd;
      if (key == NoKey) continue;
      const Asked asked = atEnd ? atTheEnd(key) : steer(key);
      if (asked == Asked::Leave) return atEnd;
      if (asked == Asked::Moved) {
        draw();
        due = clock_() + pause_;
      }
    }
  }

 private:
  static constexpr std::chrono::milliseconds Fastest{25}, Slowest{3200};

  Asked steer(int key) {
    switch (key) {
      case ' ': paused_ = !paused_; return Asked::Moved;
      case '.':
      case KeyRight: paused_ = true; return go(timeline_.position() + 1);
      case KeyLeft: paused_ = true; return back();
      case 'n': return go(timeline_.nextArea());
      case 'p': return go(timeline_.previousArea());
      case 'g': return jump();
      case '+': pause_ = std::max(pause_ / 2, Fastest); return redrawn();
      case '-': pause_ = std::min(pause_ * 2, Slowest); return redrawn();
      case 'q':
      case 'Q': return Asked::Leave;
      default: return Asked::Nothing;
    }
  }

  // At the end only going back keeps the watcher.
  Asked atTheEnd(int key) {
    switch (key) {
      case KeyLeft: paused_ = true; return back();
      case 'p': return go(timeline_.previousArea());
      case 'g': return jump();
      default: return Asked::Leave;
    }
  }

  Asked back() { return go(timeline_.position() == 0 ? 0 : timeline_.position() - 1); }

  Asked go(std::size_t moment) {
    timeline_.seek(moment);
    return Asked::Moved;
  }

  // The pace shows on the status line.
  Asked redrawn() {
    drawStatus();
    screen_.refresh();
    return Asked::Nothing;
  }

  // Reads a turn on the status line: digits, Backspace, Enter to go, Escape to stay.
  Asked jump() {
    typed_ = "";
    for (;;) {
      drawStatus();
      screen_.refresh();
      const int key = screen_.readKey();
      if (pendingSignal() != 0 || key == KeyEscape) break;
      if (key == '\n' || key == '\r' || key == KeyEnter) {
        if (typed_->empty()) break;
        const std::size_t moment = timeline_.momentOfTurn(std::stoi(*typed_));
        typed_.reset();
        return go(moment);
      }
      if ((key == KeyBackspace || key == 127 || key == 8) && !typed_->empty()) typed_->pop_back();
      if (key >= '0' && key <= '9' && typed_->size() < MostTurnDigits) typed_->push_back(char(key));
    }
    typed_.reset();
    return Asked::Moved;
  }

  // The game's screen at the present moment, whole, and the status line.
  // Every cell is written, blank or not, for the terminal to send only those that changed.
  void draw() {
    for (int row = 0; row < ScreenBuffer::Rows; ++row) drawRow(row);
    drawStatus();
    screen_.refresh();
  }

  void drawRow(int row) {
    const Game* game = timeline_.game();
    showRow(screen_, game ? game->screen.cells() : ScreenBuffer(), row);
  }

  bool bottomRowFree() const {
    const Game* game = timeline_.game();
    if (game == nullptr) return true;
    const std::string row = game->screen.cells().row(StatusRow);
    return row.find_first_not_of(' ') == std::string::npos;
  }

  // The line below the game: where it stands and how to steer it, while the game leaves the
  // bottom row free, while paused or typing a turn; how it ended, at the end.
  void drawStatus() {
    if (timeline_.position() == timeline_.length() && !typed_) {
      drawEnd();
      return;
    }
    if (!bottomRowFree() && !paused_ && !typed_) {
      drawRow(StatusRow);
      return;
    }
    const std::size_t moment = timeline_.position();
    std::string line;
    if (typed_) {
      line = "Go to turn: " + *typed_ + "_  (0 to " +
             std::to_string(timeline_.turnAt(timeline_.length())) +
             "; Enter goes, Escape stays)";
    } else {
      line = "Turn " + std::to_string(timeline_.turnAt(moment)) + "/" +
             std::to_string(timeline_.turnAt(timeline_.length())) + "  Area " +
             std::to_string(timeline_.areaAt(moment)) + "  Pace " +
             std::to_string(pause_.count()) + " ms  " + (paused_ ? "Paused " : "Playing") +
             "  space . <- -> n p g + - q";
    }
    line.resize(ScreenBuffer::Columns - 1, ' ');
    printAtColour(0, StatusRow, line, Colour::Yellow, Attribute::Bold);
  }

  void drawEnd() {
    const char* how = "The recording stops here";
    if (timeline_.ended()) how = "The recording is over";
    if (timeline_.error()) {
      how = "The recording cannot be replayed further";
      printAtColour(0, ErrorRow, *timeline_.error(), Colour::Red, Attribute::Bold);
    }
    std::string line = std::string(how) + ": press any key to leave" +
                       (timeline_.length() > 0 ? ", or <- to go back." : ".");
    line.resize(ScreenBuffer::Columns - 1, ' ');
    printAtColour(0, StatusRow, line, Colour::Yellow, Attribute::Bold);
  }

  Timeline& timeline_;
  Terminal& screen_;
  const ReplayClock& clock_;
  std::chrono::milliseconds pause_{200};
  bool paused_ = false;
  std::optional<std::string> typed_;  // the turn being typed after 'g'
};

}  // namespace

int watchRecording(const std::string& path, Terminal& screen, const ReplayClock& clock) {
  return watchRecording(RecordingSource{path, {}}, screen, clock);
}

int watchRecording(const RecordingSource& source, Terminal& screen, const ReplayClock& clock) {
  std::optional<std::string> failure;
  try {
    const Recording recording = loadRecording(source);
    const UsingTerminal watched(screen);
    const ReplayScreen session;
    Timeline timeline(recording, screen.colours());
    const bool leftAtTheEnd = Watcher(timeline, screen, clock).watch();
    if (leftAtTheEnd) failure = timeline.error();
  } catch (const GameError& error) {
    failure = errorLine(error);
  } catch (const std::bad_alloc&) {
    failure = "out of memory";
  } catch (const std::exception& error) {
    failure = printableText(error.what());
  }
  if (!failure) return 0;
  std::fprintf(stderr, "vardenholt: %s\n", failure->c_str());
  return 1;
}

}  // namespace vh
