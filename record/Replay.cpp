#include "record/Replay.hpp"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <utility>

#include "main/Game.hpp"
#include "record/EventFeed.hpp"
#include "save/Folder.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"

namespace vh {
namespace {

// A screen that shows nothing, for a replay that only checks where the game ends.
class NoScreen final : public Terminal {
 public:
  void start() override {}
  void stop() override {}
  int colours() const override { return 8; }
  void definePair(int, Colour, bool) override {}
  void attributesOn(TextAttributes) override {}
  void attributesOff(TextAttributes) override {}
  void write(int, int, std::string_view) override {}
  void clear() override {}
  void refresh() override {}
  void setCursorVisible(bool) override {}
  int readKey() override { return NoKey; }
  int readKeyWithin(int) override { return NoKey; }
};

// The recorded game on the terminal in use, from its files and generator as it began, with
// `beforeKey` told before each key. Every error that ends it is the replay's result, never the
// caller's.
ReplayResult play(const RecordingStart& start, EventFeed& feed,
                  const std::function<void()>& beforeKey = {}) {
  std::map<std::string, std::string> files;
  if (start.savedGame) files[SaveEntry] = *start.savedGame;
  if (start.highScore) files[HighScoreEntry] = *start.highScore;
  MemoryStore store(std::move(files), [&feed](const std::string& name, const std::string& text) {
    feed.checkWrite(name, text);
  });
  const UsingStore inMemory(store);
  lfRestore(start.generator);
  ReplayResult result{};
  try {
    Terminal& screen = terminalInUse();
    Game game = startOneGame(screen.colours());
    Answer answer = settleFiles(game, opening(game), store);
    showUpdates(screen, answer.updates);
    while (answer.waiting != Waiting::Over) {
      if (beforeKey) beforeKey();
      const std::optional<Input> input = feed.nextInput();
      if (!input) break;
      answer = settleFiles(game, step(game, *input), store);
      showUpdates(screen, answer.updates);
    }
    if (answer.waiting == Waiting::Over) {
      result.reached = game.ended;
      result.keysLeft = feed.drain();
    }
    result.generator = game.generator;
  } catch (const GameError& error) {
    result.error = errorLine(error);
  }
  result.recorded = feed.recorded();
  result.files = store.files();
  result.unwrittenSave = feed.unwrittenSave();
  return result;
}

// A recording read as a stream, from its file or its text, with its events fed to a game.
class RecordingFile {
 public:
  explicit RecordingFile(const RecordingSource& source)
      : text_(source.text ? source.text() : std::string()),
        file_(source.text ? nullptr : std::make_unique<ReadFile>(source.name)),
        reader_([this](char* buffer, std::size_t size) { return read(buffer, size); }),
        feed_([this] { return reader_.next(); }, reader_.start()) {}

  const RecordingStart& start() const { return reader_.start(); }
  EventFeed& feed() { return feed_; }

 private:
  std::size_t read(char* buffer, std::size_t size) {
    if (file_) return file_->read(buffer, size);
    const std::size_t count = std::min(size, text_.size() - read_);
    text_.copy(buffer, count, read_);
    read_ += count;
    return count;
  }

  std::string text_;
  std::size_t read_ = 0;
  std::unique_ptr<ReadFile> file_;  // none for a recording's text
  RecordingReader reader_;
  EventFeed feed_;
};

// Refuses a recording made by a game newer than this one, whose rules this game may not have.
void checkVersion(const std::string& version) {
  if (earlierVersion(VARDENHOLT_VERSION, version) || !earlierVersion("0.0.0", version)) {
    throw GameError(
        "Invalid recording: made by version " + version + ", which this game cannot replay",
        BadRecordingCode);
  }
}

// What the replay proves the game was played from: "seed:N" when the recording starts a new
// game from seed N's own first state, "state" otherwise. A recording whose seed line claims a
// seed that does not give its generator is refused; only those written before the seed line was
// kept for the first game of a run gave the run's seed to the games after it.
std::string provenance(const RecordingStart& start) {
  if (!start.seed) return "state";
  lfSrand(*start.seed);
  if (lfState() == start.generator)
    return start.savedGame ? "state" : "seed:" + std::to_string(*start.seed);
  if (!earlierVersion(FirstRecordingVersion, start.gameVersion)) return "state";
  throw GameError("Invalid recording: its generator is not the first state of seed " +
                      std::to_string(*start.seed),
                  BadRecordingCode);
}

// The verdict on one recording: its lines, and its replay when there was one.
struct Verdict {
  bool good;
  std::vector<std::string> lines;
  std::optional<ReplayResult> replay;
};

Verdict judge(const std::string& from, ReplayResult replay) {
  if (replay.error) return Verdict{false, {*replay.error}, std::move(replay)};
  if (!replay.reached) {
    return Verdict{
        false, {"unfinished: the recording ends before the game does"}, std::move(replay)};
  }
  std::vector<std::string> lines = {summaryText(*replay.reached) + " from=" + from};
  if (!replay.recorded) {
    lines.emplace_back("the recording holds no result: the game it recorded never ended");
  } else if (replay.keysLeft != 0) {
    lines.push_back(std::to_string(replay.keysLeft) + " keys are left over after the game ended");
  } else if (*replay.reached != *replay.recorded) {
    lines.push_back("the recording says: " + summaryText(*replay.recorded));
  }
  return Verdict{lines.size() == 1, std::move(lines), std::move(replay)};
}

Verdict verify(const RecordingSource& source, const std::optional<ReplayResult>& previous) {
  std::string from;
  try {
    ReplayResult replay = replayFile(source, [&](const RecordingStart& start) {
      checkVersion(start.gameVersion);
      from = provenance(start);
      if (start.savedGame && previous) {
        const auto saved = previous->files.find(SaveEntry);
        if (saved == previous->files.end() || saved->second != *start.savedGame) {
          throw GameError(
              "Invalid recording: the saved game it continues is not the one the "
              "recording before it saved",
              BadRecordingCode);
        }
      }
    });
    return judge(from, std::move(replay));
  } catch (const GameError& error) {
    return Verdict{false, {errorLine(error)}, {}};
  } catch (const std::bad_alloc&) {
    return Verdict{false, {"out of memory"}, {}};
  } catch (const std::exception& error) {
    return Verdict{false, {printableText(error.what())}, {}};
  }
}

}  // namespace

Recording loadRecording(const std::string& path) {
  return readRecording(readPath(path, MaxRecordingSize));
}

Recording loadRecording(const RecordingSource& source) {
  return source.text ? readRecording(source.text()) : loadRecording(source.name);
}

ReplayResult replayGame(const Recording& recording, Terminal& screen,
                        const std::function<void()>& beforeEachKey) {
  EventFeed feed(eventsOf(recording), recording.start);
  const UsingTerminal replaying(screen);
  startScreen();
  return play(recording.start, feed, beforeEachKey);
}

ReplayResult replayFile(const RecordingSource& source,
                        const std::function<void(const RecordingStart&)>& check) {
  RecordingFile recording(source);
  if (check) check(recording.start());
  NoScreen nothingShown;
  const UsingTerminal noScreen(nothingShown);
  startScreen();
  return play(recording.start(), recording.feed());
}

int verifyRecordings(const std::vector<RecordingSource>& recordings) {
  bool good = true;
  std::optional<ReplayResult> previous;
  for (const RecordingSource& recording : recordings) {
    Verdict verdict = verify(recording, previous);
    for (const std::string& line : verdict.lines) {
      const std::string prefix =
          recordings.size() > 1 ? printableText(recording.name) + ": " : "";
      std::printf("%s%s\n", prefix.c_str(), line.c_str());
    }
    good = good && verdict.good;
    previous = std::move(verdict.replay);
  }
  std::fflush(stdout);
  return good ? 0 : 1;
}

}  // namespace vh
