// A corpus of whole runs of the game, kept in tests/data/corpus: for each run the screen and the
// game's files after every key (as digests) and the recordings it made. Playing the same keys
// again must give the same screens, files and recordings, byte for byte, and every recording must
// verify and replay through the same screens: whatever changes inside the game, what the player
// sees and what is stored stay as they are.
//
// VARDENHOLT_UPDATE_CORPUS=1 writes the corpus anew; it is only as right as the program that
// wrote it, so it is written once and kept.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <random>

#include "main/Vardenholt.hpp"
#include "player/Player.hpp"
#include "random/Lfrand.hpp"
#include "main/Run.hpp"
#include "record/Replay.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/Board.hpp"
#include "support/RecordedRun.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

namespace fs = std::filesystem;
const fs::path Corpus = fs::path(VARDENHOLT_TEST_DATA) / "corpus";

// One run: a seed, the saved game it begins from (none when `area` is 0), the keys, and what
// stops it.
struct CorpusRun {
  std::string name;
  unsigned seed;
  int area = 0;             // of the saved game the run continues, at the start of a fresh map
  const char* kills = "";   // the saved King's captures
  int keys = 150;           // drawn at random from `alphabet`, after the instructions' key
  std::string alphabet = "hjklhjklyubn..";
  int signal = SIGHUP;      // sent once the keys are used up, which saves the game in play
  int fullDiskKeys = 0;     // the first keys are played on a full disk
  const char* row = nullptr;  // the saved area's bottom row, ending at the exit, on open floor
};

std::vector<CorpusRun> corpusRuns() {
  std::vector<CorpusRun> runs;
  for (unsigned seed = 1; seed <= 15; ++seed) {
    runs.push_back({"fresh-" + std::to_string(seed), seed * 7919});
    // Saved and continued, and again: each continued game records the saved game it began from.
    if (seed == 15) runs.back().alphabet += "S";
  }
  const struct {
    int area;
    const char* kills;
  } saved[] = {{3, "10P"},  {8, "10N 50B"}, {12, "50R 5Q"}, {19, "50P 50N 50B 50R"},
               {20, "50N 50B 10Q"}, {30, "50P 50N 50B 50R 10Q 1K"}};
  for (const auto& [area, kills] : saved) {
    runs.push_back({"area-" + std::to_string(area), static_cast<unsigned>(area) * 104729, area,
                    kills, 120, "hjklyubnYUBNHJKLqweadcxz.."});
  }
  const int signals[] = {SIGHUP, SIGTERM, SIGINT, SIGQUIT};
  for (int i = 0; i < 4; ++i) {
    runs.push_back({"signal-" + std::to_string(i), 31337U + static_cast<unsigned>(i), 0, "",
                    40 + 30 * i});
    runs.back().signal = signals[i];
  }
  runs.push_back({"full-disk-save", 4242, 0, "", 60, "hjkl..S"});
  runs.back().fullDiskKeys = 30;
  runs.push_back({"full-disk-signal", 4343, 0, "", 50});
  runs.back().fullDiskKeys = 50;
  runs.push_back({"full-disk-score", 4444, 20, "1K 5Q", 80, "hjklyubn.", SIGHUP, 80});
  runs.push_back({"win", 6666, 20, "1K 5Q", 30, "l", SIGHUP, 0, "R.@."});
  runs.push_back({"keypad", 7777, 0, "", 120, "\1\2\3\4\5\6\7\10hjkl"});
  runs.push_back({"keypad-area", 7878, 14, "10B 10N 50R", 120, "\1\2\3\4\5\6\7\10yubnqw"});
  runs.push_back({"help-and-redraw", 5555, 0, "", 100, "hjkl?/rR.x\tZ~"});
  runs.push_back({"help-and-redraw-area", 5656, 11, "10N 10B 10R", 100, "qwe?r/Rhjkl"});
  return runs;
}

std::uint64_t fnv(std::uint64_t hash, std::string_view bytes) {
  for (const char byte : bytes) hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ULL;
  return hash;
}

// The screen, every cell's character and attributes and the cursor, as one number.
std::uint64_t screenDigest(const VirtualTerminal& screen) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (int row = 0; row < VirtualTerminal::Rows; ++row) {
    for (int column = 0; column < VirtualTerminal::Columns; ++column) {
      const TextAttributes a = screen.attributesAt(column, row);
      const char cell[] = {screen.charAt(column, row), static_cast<char>(a.pair), a.bold,
                           a.underline, a.reverse};
      hash = fnv(hash, std::string_view(cell, sizeof cell));
    }
  }
  return fnv(hash, screen.cursorVisible() ? "+" : "-");
}

std::uint64_t filesDigest(Store& files) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const std::string& name : {SaveEntry, HighScoreEntry}) {
    hash = fnv(hash, files.holds(name) ? name + "=" + files.read(name, MaxGameFileSize) : name);
  }
  return hash;
}

std::string digestLine(const VirtualTerminal& screen, Store& files) {
  char line[40];
  std::snprintf(line, sizeof line, "%016llx %016llx\n",
                static_cast<unsigned long long>(screenDigest(screen)),
                static_cast<unsigned long long>(filesDigest(files)));
  return line;
}

// The run's keys, the instructions' first. In an alphabet, the characters 1 to 8 stand for the
// terminal's codes of the arrows and of the keypad with NumLock off.
std::vector<int> keysOf(const CorpusRun& run) {
  constexpr int named[] = {KeyLeft, KeyRight, KeyUp, KeyDown, KeyHome, KeyNextPage, KeyB2, KeyEnd};
  std::mt19937 random(run.seed);
  std::vector<int> keys = {' '};
  for (int i = 0; i < run.keys; ++i) {
    const auto key = static_cast<unsigned char>(run.alphabet[random() % run.alphabet.size()]);
    keys.push_back(key >= 1 && key <= 8 ? named[key - 1] : key);
  }
  return keys;
}

// The saved game a run continues: a fresh area of that number, the King at its start, or the row.
void saveStart(const CorpusRun& run) {
  if (run.row) {
    const board::Board b =
        board::Board::fromPicture({run.row}, board::taken(run.kills), MapWidth, MapHeight);
    saveGame(b.map, b.player, b.creatures, run.area);
    return;
  }
  lfSrand(run.seed + 1);
  const Map map = buildAreaMap(run.area);
  const CreatureList creatures = populateArea(map, run.area);
  const Player king{true, 2, 2, board::taken(run.kills), "", false};
  saveGame(map, king, creatures, run.area);
}

// A recording with the time it began, which differs from one playing of the same keys to the
// next, set to one time.
std::string comparable(std::string text) {
  const std::size_t started = text.find("\nstarted ");
  if (started != std::string::npos) text.replace(started + 9, 20, "2026-01-01T00:00:00Z");
  return text;
}

struct Played {
  std::string digests;
  std::vector<std::string> recordings;
};

// A fresh folder to play in, made the current one, with HOME empty so that the game keeps its
// files in ./.vh/: the screen shows that path when a write fails, the same wherever and however
// often the tests run at once.
class CorpusHome {
 public:
  CorpusHome() : previous_(fs::current_path()) {
    if (const char* home = std::getenv("HOME")) home_ = home;
    std::string pattern = (fs::temp_directory_path() / "vh-corpus-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    fs::current_path(path_);
    setenv("HOME", "", 1);
  }
  ~CorpusHome() {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    home_ ? setenv("HOME", home_->c_str(), 1) : unsetenv("HOME");
  }
  CorpusHome(const CorpusHome&) = delete;
  CorpusHome& operator=(const CorpusHome&) = delete;

 private:
  fs::path previous_, path_;
  std::optional<std::string> home_;
};

std::vector<fs::path> corpusRecordings() {
  std::vector<fs::path> files;
  const fs::path folder = fs::path(".vh") / "recordings";
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// The run played as the terminal plays it, writing down the screen and the files as the run waits
// for each input: the keys, the first of them given on a full disk (and all of them, and the signal,
// when they are as many), then the signal.
Played play(const CorpusRun& run) {
  const CorpusHome home;
  if (run.area > 0) saveStart(run);
  const std::vector<int> keys = keysOf(run);
  std::optional<FileSizeLimit> full;
  if (run.fullDiskKeys > 0) full.emplace(4096);
  Played played;
  {
    VirtualTerminal screen;
    RecordedRun recorded(screen, run.seed);
    for (std::size_t next = 0; !recorded.over(); ++next) {
      played.digests += digestLine(screen, gameStore());
      if (next > keys.size()) {
        ADD_FAILURE() << "the run goes on after the signal";
        break;
      }
      if (next == keys.size()) {
        recorded.give(Input{NoKey, run.signal});
      } else {
        if (next > static_cast<std::size_t>(run.fullDiskKeys)) full.reset();
        recorded.give(Input{keys[next], 0});
      }
      recorded.settle();
    }
  }
  for (const fs::path& path : corpusRecordings()) played.recordings.push_back(comparable(readFile(path)));
  return played;
}

bool updating() {
  const char* update = std::getenv("VARDENHOLT_UPDATE_CORPUS");
  return update != nullptr && *update != '\0';
}

// The screens and files of a recording replayed, after each of its keys.
std::string replayedDigests(const std::string& recording) {
  VirtualTerminal screen;
  std::string digests;
  const Recording game = readRecording(recording);
  const ReplayResult result =
      replayGame(game, screen, [&] { digests += digestLine(screen, gameStore()); });
  EXPECT_TRUE(result.reached.has_value());
  return digests;
}

}  // namespace

TEST(Corpus, EveryRunPlaysAndReplaysAsItWasRecorded) {
  const std::vector<CorpusRun> runs = corpusRuns();
  ASSERT_GE(runs.size(), 30U);
  for (const CorpusRun& run : runs) {
    SCOPED_TRACE(run.name);
    const Played played = play(run);
    const fs::path digests = Corpus / (run.name + ".digests");
    if (updating()) {
      writeFile(digests, played.digests);
      for (std::size_t i = 0; i < played.recordings.size(); ++i) {
        writeFile(Corpus / (run.name + "-" + std::to_string(i + 1) + ".vhr"), played.recordings[i]);
      }
    }
    EXPECT_TRUE(readFile(digests) == played.digests) << "the screens or files differ";
    for (std::size_t i = 0; i < played.recordings.size(); ++i) {
      SCOPED_TRACE("game " + std::to_string(i + 1));
      const fs::path stored = Corpus / (run.name + "-" + std::to_string(i + 1) + ".vhr");
      const std::string recording = readFile(stored);
      EXPECT_TRUE(recording == played.recordings[i]) << "the recording differs";
      const std::string replayed = replayedDigests(recording);
      EXPECT_NE(played.digests.find(replayed), std::string::npos) << "its replay shows other screens";
      std::string lines;
      EXPECT_EQ(verifyQuietly({stored}, &lines), 0) << lines;
    }
  }
}

}  // namespace vh
