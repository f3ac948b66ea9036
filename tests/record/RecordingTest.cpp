#include <gtest/gtest.h>

#include <chrono>
#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "record/Gamelog.hpp"
#include "record/Recorder.hpp"
#include "record/Recording.hpp"
#include "record/Replay.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/RecordedRun.hpp"
#include "support/TempHome.hpp"

using namespace vh;
namespace fs = std::filesystem;

namespace {

// Replays a recording on a fresh virtual terminal; the screen as the game ended.
std::string replayedScreen(const Recording& recording) {
  VirtualTerminal screen;
  const ReplayResult result = replayGame(recording, screen);
  EXPECT_TRUE(result.reached.has_value());
  return screen.toString();
}

}  // namespace

// A run of two games, the first saved and continued in the second, which a hangup ends: each game
// has its own recording, which replays to the same screen and result and verifies, alone or
// after the game it continues, and neither the replays nor the verification touch the player's
// files.
TEST(Recording, EachGameOfARunReplaysExactlyAndVerifies) {
  const TempHome home;
  const PlayedRun run = recordRun(" llkkjS.yhhh", SIGHUP, 1767225600);
  ASSERT_EQ(run.summaries.size(), 2U);
  EXPECT_EQ(run.summaries[0].ending, Ending::Saved);
  EXPECT_EQ(run.summaries[1].signal, SIGHUP);
  const std::vector<fs::path> files = recordingsIn(home);
  ASSERT_EQ(files.size(), 2U);
  const std::string save = readFile(home.saveFile());
  const std::string log = readFile(home.saveFile().parent_path() / "games.log");

  const Recording first = loadRecording(files[0]);
  const Recording second = loadRecording(files[1]);
  EXPECT_FALSE(first.start.savedGame) << "a new game";
  ASSERT_TRUE(second.start.savedGame) << "the continued game holds the save it began from";
  lfSrand(1767225600);
  EXPECT_EQ(first.start.generator, lfState());
  EXPECT_NE(second.start.generator, first.start.generator) << "the second game draws on";
  EXPECT_EQ(first.keys.size(), 7U) << "the keys of the first game only";
  EXPECT_EQ(second.keys.back().signal, SIGHUP);

  // Only the first game starts where the run's seed does; the second is proved from its state.
  EXPECT_EQ(first.start.seed, 1767225600U);
  EXPECT_EQ(second.start.seed, std::nullopt);
  const char* const proofs[] = {" from=seed:1767225600\n", " from=state\n"};
  for (std::size_t game = 0; game < 2; ++game) {
    SCOPED_TRACE(files[game].filename().string());
    const Recording recording = loadRecording(files[game]);
    EXPECT_EQ(recording.result, run.summaries[game]);
    EXPECT_EQ(withoutQuestion(replayedScreen(recording)), run.endScreens[game]);
    std::string line;
    EXPECT_EQ(verifyQuietly({files[game]}, &line), 0) << line;
    EXPECT_EQ(line, summaryText(run.summaries[game]) + proofs[game]);
  }
  // Verified together, the second game is proved to continue the save the first one left.
  const std::string names[] = {files[0].string(), files[1].string()};
  std::string lines;
  EXPECT_EQ(verifyQuietly({names[0], names[1]}, &lines), 0) << lines;
  EXPECT_EQ(lines, names[0] + ": " + summaryText(run.summaries[0]) + proofs[0] + names[1] + ": " +
                       summaryText(run.summaries[1]) + proofs[1]);
  EXPECT_EQ(verifyQuietly({names[1], names[1]}, &lines), 1);
  EXPECT_TRUE(lines.ends_with(names[1] + ": 260: Invalid recording: the saved game it continues is "
                                       "not the one the recording before it saved\n"))
      << lines;
  // The log names the same seeds, and the recording that replays a game no seed starts.
  const std::vector<LogEntry> logged = readPlayersLog();
  ASSERT_EQ(logged.size(), 2U);
  EXPECT_EQ(logged[0].seed, 1767225600U);
  EXPECT_EQ(logged[1].seed, std::nullopt);
  EXPECT_NE(log.find("\tseed=-\t"), std::string::npos);
  EXPECT_EQ(logged[1].recording, files[1].filename().string());
  EXPECT_EQ(readFile(home.saveFile()), save);
  EXPECT_EQ(readFile(home.saveFile().parent_path() / "games.log"), log);
  EXPECT_EQ(recordingsIn(home).size(), 2U);
}

// Every game that ends leaves one log line that names its recording; the table of the best games
// counts finished games only, best first, earlier games first among equals.
TEST(GameLog, EveryEndedGameIsLoggedAndTheBestFinishedGamesAreListed) {
  const TempHome home;
  recordRun(" lS.n", 0, 7);
  const std::vector<LogEntry> logged = readPlayersLog();
  ASSERT_EQ(logged.size(), 1U);
  EXPECT_EQ(logged[0].seed, 7U);
  EXPECT_EQ(logged[0].summary.ending, Ending::Saved);
  EXPECT_EQ(logged[0].summary.turns, 2);
  const std::string name = fs::path(recordingsIn(home).at(0)).filename();
  EXPECT_EQ(name, logged[0].recording);
  // Times are UTC now, and a recording is named after the time its game began.
  const std::string now = utcNow();
  EXPECT_EQ(logged[0].start.size(), now.size());
  EXPECT_EQ(logged[0].start.substr(0, 10), now.substr(0, 10)) << logged[0].start;
  EXPECT_LE(logged[0].start, logged[0].end);
  const std::string stamp = logged[0].start.substr(0, 4) + logged[0].start.substr(5, 2) +
                            logged[0].start.substr(8, 2) + "-" + logged[0].start.substr(11, 2) +
                            logged[0].start.substr(14, 2) + logged[0].start.substr(17, 2);
  EXPECT_EQ(name, stamp + "-" + std::to_string(getpid()) + "-1.vhr");

  const LogEntry entry{"1.0.0",
                       "2026-12-07T01:00:00Z",
                       "2026-12-07T01:30:00Z",
                       42,
                       GameSummary{Ending::Win, 20, 1060, Kills{1, 2, 1, 1, 5, 1}, 812, 0},
                       "a.vhr"};
  EXPECT_EQ(logLine(entry),
            "version=1.0.0\tstart=2026-12-07T01:00:00Z\tend=2026-12-07T01:30:00Z\tseed=42\t"
            "ending=win\tarea=20\tscore=1060\tpawns=1\tknights=2\tbishops=1\trooks=1\tqueens=5\t"
            "king=1\tturns=812\trecording=a.vhr\n");
  std::string text;
  const int scores[] = {3, 1060, 500, 7, 7, 0, 12, 9, 8, 1, 2, 44};
  for (int i = 0; i < 12; ++i) {
    LogEntry e = entry;
    e.summary.score = scores[i];
    e.summary.ending = i == 11 ? Ending::Saved : Ending::Lose;
    e.seed = i == 2 ? std::nullopt : std::optional(static_cast<unsigned>(i));
    text += logLine(e);
  }
  const std::vector<LogEntry> entries = readLog(text);
  ASSERT_EQ(entries.size(), 12U);
  EXPECT_EQ(entries[3].summary,
            (GameSummary{Ending::Lose, 20, 7, Kills{1, 2, 1, 1, 5, 1}, 812, 0}));
  const std::string table = bestGamesTable(entries);
  EXPECT_EQ(table.substr(0, table.find('\n', table.find('\n', table.find('\n') + 1) + 1) + 1),
            "Rank  Score  Outcome  Area  Date        Seed        Recording\n"
            "   1   1060  lose       20  2026-12-07  1           a.vhr\n"
            "   2    500  lose       20  2026-12-07  -           a.vhr\n");
  EXPECT_NE(table.find("   5      8  lose       20  2026-12-07  8           a.vhr\n"),
            std::string::npos);
  EXPECT_NE(table.find("   6      7  lose       20  2026-12-07  3           a.vhr\n   7      7"),
            std::string::npos);
  EXPECT_EQ(table.find("  44 "), std::string::npos) << "a saved game is still going on";
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 11);
  EXPECT_EQ(bestGamesTable({}), "No games yet.\n");
  // A damaged line is named by its number.
  const std::string good = logLine(entry);
  const struct {
    std::string text;
    const char* error;
  } damaged[] = {
      {good + std::string(good).replace(good.find("=42"), 3, "=x"), "line 2: bad seed"},
      {good + good + std::string(good).replace(good.find("=win"), 4, "=fled"),
       "line 3: unknown ending"},
      {good + good.substr(0, good.size() - 1), "line 2: it is cut short"},
      {std::string(good).replace(good.find("area=20"), 7, "area=20x"), "line 1: bad area"},
  };
  for (const auto& [bytes, error] : damaged) {
    EXPECT_EQ(failureOf([&] { readLog(bytes); }), "261: Invalid game log, " + std::string(error));
  }
}

// The log is only ever appended to as a plain file: a FIFO planted in its place, even one
// somebody is reading, never receives the game's line.
TEST(GameLog, APlantedFifoIsNeverWritten) {
  const TempHome home;
  const fs::path log = home.saveFile().parent_path() / "games.log";
  fs::create_directories(log.parent_path());
  fs::permissions(log.parent_path(), fs::perms::owner_all, fs::perm_options::replace);
  ASSERT_EQ(mkfifo(log.c_str(), 0600), 0);
  const int reader = open(log.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  appendToLog(LogEntry{"1.0.0", "", "", 1, GameSummary{}, ""});
  char byte = 0;
  EXPECT_LE(read(reader, &byte, 1), 0);
  close(reader);
}

// A line that does not fit on the disk is not written at all, so the log stays readable and the
// next game's line starts a line of its own.
TEST(GameLog, ALineIsWrittenWholeOrNotAtAll) {
  const TempHome home;
  const LogEntry entry{"1.0.0", "", "", 1, GameSummary{}, ""};
  appendToLog(entry);
  const fs::path log = home.saveFile().parent_path() / "games.log";
  const std::uintmax_t size = fs::file_size(log);
  for (const std::uintmax_t room : {size, size + 10}) {  // no room at all; room for a part
    const FileSizeLimit full(room);
    appendToLog(entry);
  }
  EXPECT_EQ(fs::file_size(log), size);
  appendToLog(entry);
  EXPECT_EQ(readPlayersLog().size(), 2U);
}

// The log is read up to 64 MiB and no further, however it grew.
TEST(GameLog, ALogIsReadUpToItsSizeLimitAndNoFurther) {
  const TempHome home;
  const fs::path log = home.saveFile().parent_path() / "games.log";
  fs::create_directories(log.parent_path());
  fs::permissions(log.parent_path(), fs::perms::owner_all, fs::perm_options::replace);
  writeFile(log, "");
  const std::uintmax_t limit = 64 * 1024 * 1024;
  fs::resize_file(log, limit);  // sparse: costs no disk
  EXPECT_EQ(failureOf([] { readPlayersLog(); }), "261: Invalid game log, line 1: it is cut short");
  fs::resize_file(log, limit + 1);
  EXPECT_EQ(failureOf([] { readPlayersLog(); }), "1: File Error: " + log.string() + ": too large");
}

// A recording is read like any other untrusted file: each fault gives a clear error; a recording
// that reads well but does not end as it says fails verification.
TEST(Recording, DamagedRecordingsAreRefusedAndFalseOnesFailVerification) {
  const TempHome home;
  recordRun(" lS.n", 0, 3);
  const fs::path good = recordingsIn(home).at(0);
  const std::string text = readFile(good);
  const std::size_t result = text.rfind("result ");
  ASSERT_NE(result, std::string::npos);
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string damaged = text;
    const std::size_t at = damaged.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return damaged.replace(at, from.size(), to);
  };
  const struct {
    std::string text;
    const char* error;
  } damaged[] = {
      {"", "it ends before the first line"},
      {"vardenholt-recording 2\n", "not a recording of a version this game plays"},
      {text.substr(0, 40), "it ends inside game-version"},
      {replaced("seed 3", "seed -3"), "bad seed"},
      {replaced("seed 3", "seed 3x"), "bad seed"},
      {replaced("generator 0 ", "generator 55 "), "bad generator position"},
      {replaced("saved-game none", "saved-game 99999"), "the saved-game is cut short"},
      {replaced("saved-game none", "saved-game 3\nabcd"), "the saved-game is cut short"},
      {replaced("\nkeys\n", "\nkeyz\n"), "expected keys"},
      {text.substr(0, result) + "4096\n" + text.substr(result), "bad key"},
      {text.substr(0, result) + "signal 65\n" + text.substr(result), "bad signal"},
      {text + "108\n", "there is more after the result"},
      {replaced("ending=saved", "ending=fled"), "unknown ending"},
      {replaced(" turns=", " moves="), "the result has the wrong fields"},
      {text.substr(0, text.size() - 1), "it ends inside a key"},
  };
  for (const auto& [bytes, error] : damaged) {
    EXPECT_EQ(failureOf([&] { readRecording(bytes); }),
              "260: Invalid recording: " + std::string(error));
  }
  // The largest value of each field reads, and a game that a signal ended before its result was
  // written reads as one that never ended.
  const std::string cut = text.substr(0, result);
  const Recording extremes = readRecording(
      replaced("generator 0 ", "generator 54 ").substr(0, result + 1) + "4095\nsignal 64\n");
  EXPECT_EQ(extremes.start.generator.oldest, 54);
  EXPECT_EQ(extremes.keys.back().signal, 64);
  EXPECT_EQ(extremes.keys[extremes.keys.size() - 2].key, 4095);
  EXPECT_FALSE(extremes.result.has_value());
  EXPECT_FALSE(readRecording(cut).result.has_value());
  // n failed writes of the save, one after another.
  const auto failures = [](int n) {
    std::string lines;
    while (n-- > 0) lines += "failed vardenholt.sav 1 File Error: x\n";
    return lines;
  };
  const struct {
    std::string text;
    const char* says;
  } false_[] = {
      {text.substr(0, text.rfind('\n', result - 2) + 1),
       "unfinished: the recording ends before the game does\n"},
      {text.substr(0, result), "the recording holds no result"},
      {text.substr(0, result) + "108\n" + text.substr(result), "1 keys are left over"},
      // A failed write where the game wrote nothing, amid the keys or after the last one.
      {replaced("\nkeys\n", "\nkeys\n" + failures(1)),
       "1 keys are left over"},
      {text.substr(0, result) + "failed vardenholt.hs 1 File Error: x\n" + text.substr(result),
       "1 keys are left over"},
      {replaced("score=0", "score=9"), "the recording says: ending=saved area=1 score=9"},
      // More failed writes between two keys than any game makes.
      {replaced("\nkeys\n", "\nkeys\n" + failures(8)), "8 keys are left over"},
      {replaced("\nkeys\n", "\nkeys\n" + failures(9)),
       "more failed writes than the game makes between keys"},
  };
  for (const auto& [bytes, says] : false_) {
    writeFile(good, bytes);
    std::string line;
    EXPECT_EQ(verifyQuietly({good}, &line), 1) << says;
    EXPECT_NE(line.find(says), std::string::npos) << line << " instead of " << says;
  }
  writeFile(good, text);
  EXPECT_EQ(verifyQuietly({good}), 0);
  std::string line;
  EXPECT_EQ(verifyQuietly({home.saveFile().parent_path() / "missing"}, &line), 1);
  EXPECT_EQ(line.substr(0, 15), "1: File Error: ");
  testing::internal::CaptureStdout();
  EXPECT_EQ(verifyRecordings({{"big.vhr", []() -> std::string { throw std::bad_alloc(); }}}), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "out of memory\n");
}

// A recording whose header cannot be written would never replay or verify: none is left behind,
// and the next game records as usual.
TEST(Recording, ARecordingThatCannotBeStartedIsNotLeftBehind) {
  const TempHome home;
  FolderStore saveFolder;
  Recorder recorder(saveFolder, VARDENHOLT_VERSION, 3);
  {
    const FileSizeLimit full(64);  // smaller than any header
    recorder.gameStarted();
  }
  EXPECT_EQ(recordingsIn(home).size(), 0U);
  recorder.gameEnded(GameSummary{});
  EXPECT_EQ(readPlayersLog().back().recording, "") << "the log names no recording";
  recorder.gameStarted();
  EXPECT_EQ(recordingsIn(home).size(), 1U);
}

// Two hundred recordings at most: a new game's recording pushes out the one written longest ago,
// whatever its name says. A clock that once ran ahead left names from 2099, which sort last: when
// they are the oldest they still go first, and each new game's recording stays.
TEST(Recording, OnlyTheNewestRecordingsAreKept) {
  const TempHome home;
  const fs::path folder = home.saveFile().parent_path() / "recordings";
  const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
  const auto writtenAt = [&](const std::string& name, fs::file_time_type time) {
    writeFile(folder / name, "old");
    fs::last_write_time(folder / name, time);
  };
  for (std::size_t i = 1; i < KeptRecordings; ++i) {  // all at once: the name decides among them
    writtenAt("20990101-000000-1-" + std::to_string(1000 + i) + ".vhr", longAgo);
  }
  writtenAt("19990101-000000-1-1.vhr", longAgo + std::chrono::hours(1));
  writeFile(folder / "notes.txt", "not a recording");
  FolderStore saveFolder;
  Recorder recorder(saveFolder, VARDENHOLT_VERSION, 3);
  for (int game = 0; game < 2; ++game) {
    recorder.gameStarted();
    recorder.gameEnded(GameSummary{});
  }
  std::vector<std::string> kept;  // by name: the new games' fall between 1999 and 2099
  for (const fs::path& file : recordingsIn(home)) kept.push_back(file.filename().string());
  ASSERT_EQ(kept.size(), KeptRecordings + 1) << "two hundred recordings and the notes";
  EXPECT_EQ(kept[0], "19990101-000000-1-1.vhr");
  EXPECT_LT(kept[2], "2099") << "the new games' recordings";
  EXPECT_EQ(kept[3], "20990101-000000-1-1003.vhr");
}
