#include <gtest/gtest.h>

#include <csignal>
#include <optional>

#include "record/Gamelog.hpp"
#include "record/Recover.hpp"
#include "record/Recording.hpp"
#include "record/Replay.hpp"
#include "record/Watch.hpp"
#include "support/Board.hpp"
#include "support/RecordedRun.hpp"
#include "support/TempHome.hpp"

using namespace vh;
namespace fs = std::filesystem;

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Keys handed out one by one once the scripted ones are used up; `first` runs before the first.
std::function<int()> thenKeys(std::string keys, std::function<void()> first = {}) {
  return [keys = std::move(keys), first = std::move(first), next = std::size_t{0}]() mutable {
    if (next == 0 && first) first();
    if (next == keys.size()) throw KeyScriptExhausted();
    return static_cast<int>(static_cast<unsigned char>(keys[next++]));
  };
}

}  // namespace

// The watcher steers a replay: each '+' halves the pause between keys, each '-' doubles it, space
// pauses, and 'q' stops the replay at once. The pace is measured on the terminal's own clock.
TEST(Replay, TheWatchersKeysChangeThePaceAndStopIt) {
  const TempHome home;
  recordRun(" llllhhhhS.n", 0, 5);
  const std::string recording = recordingsIn(home).at(0);
  const std::string save = readFile(home.saveFile());
  const auto keys = static_cast<int>(loadRecording(recording).keys.size());
  const auto watch = [&](const std::string& watcherKeys) {
    VirtualTerminal screen;
    screen.pressKeys(watcherKeys);
    screen.whenOutOfKeys([] { return int{'x'}; });  // leaves the replay once it is over
    const auto clock = [&screen] { return std::chrono::steady_clock::time_point(screen.waited()); };
    EXPECT_EQ(watchRecording(recording, screen, clock), 0);
    return std::pair{screen.waited().count(), screen.toString()};
  };
  // The first pause was set before the watcher's keys; every later one is the new pace.
  const auto [fast, fastEnd] = watch("+++");
  EXPECT_EQ(fast, 200 + (keys - 1) * 25);
  const auto [slower, slowerEnd] = watch("+++--");
  EXPECT_EQ(slower, 200 + (keys - 1) * 100);
  const auto [slowest, slowestEnd] = watch("-------");
  EXPECT_EQ(slowest, 200 + (keys - 1) * 3200);
  const auto [resumed, resumedEnd] = watch("  ");  // paused and at once resumed: a pause anew
  EXPECT_EQ(resumed, keys * 200);
  const auto [stopped, stoppedEnd] = watch("q");
  EXPECT_EQ(stopped, 0);
  EXPECT_EQ(fastEnd, slowerEnd) << "the same game, however fast";
  EXPECT_NE(fastEnd.find("The recording is over: press any key to leave, or <- to go back."),
            std::string::npos);
  EXPECT_EQ(stoppedEnd.find("The recording"), std::string::npos);
  EXPECT_EQ(readFile(home.saveFile()), save) << "the replayed save stays in memory";

  testing::internal::CaptureStderr();
  VirtualTerminal missing;
  EXPECT_EQ(watchRecording(recording + ".missing", missing), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr().substr(0, 27), "vardenholt: 1: File Error: ");
}

// A recording whose game cannot be played to its end, here for the escape sequences of a damaged
// saved game inside it, is shown as far as it goes; the watcher then gets the terminal back and
// one line with nothing in it that a terminal would act on.
TEST(Replay, AnErrorEndsTheReplayInOneFilteredLineWithTheTerminalGivenBack) {
  const TempHome home;
  const fs::path path = home.saveFile().parent_path() / "damaged.vhr";
  writeFile(path, recordingHeader(RecordingStart{VARDENHOLT_VERSION, std::nullopt,
                                                 "2026-12-07T01:00:00Z", lfState(),
                                                 "[372]I\x1b]0;owned\a\x1b[2J\x1b[5m", std::nullopt}) +
                      "120\n");
  const std::string line = "254: Invalid int to unmarshall : ?]0;owned??[2J?[5m";
  VirtualTerminal screen;
  screen.whenOutOfKeys([] { return int{'x'}; });
  testing::internal::CaptureStderr();
  EXPECT_EQ(watchRecording(path, screen), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "vardenholt: " + line + "\n");
  EXPECT_FALSE(screen.started());
  EXPECT_TRUE(screen.cursorVisible());
  EXPECT_EQ(screen.row(22).substr(0, line.size()), line);
  std::string verdict;
  EXPECT_EQ(verifyQuietly({path}, &verdict), 1);
  EXPECT_EQ(verdict, line + "\n");
}

// A write that failed while the game was recorded fails again in the replay at the same moment:
// a save refused twice by a full disk and then written verifies, and so does a game that a hangup
// stopped when its save failed, even when recorded before failed writes were noted. That lost
// save is written again from the recording, once, and only where no game is saved.
TEST(Replay, FailedWritesFailAgainWhereTheyFailedAndALostSaveIsRecovered) {
  std::string lostSave;
  {
    const TempHome reference;
    recordRun(" lk", SIGHUP, 11);
    lostSave = readFile(reference.saveFile());
  }
  const TempHome home;
  std::optional<FileSizeLimit> full(std::in_place, 4096);
  const PlayedRun run = recordRun(" S.S.", 0, 11, thenKeys("S.n", [&] { full.reset(); }));
  ASSERT_EQ(run.summaries.size(), 1U);
  EXPECT_EQ(run.summaries[0].ending, Ending::Saved);
  const fs::path saved = recordingsIn(home).at(0);
  const std::string text = readFile(saved);
  const std::size_t failed = text.find("\nfailed vardenholt.sav 1 File Error: ");
  EXPECT_NE(text.find("\nfailed vardenholt.sav 1 File Error: ", failed + 1), std::string::npos)
      << text;
  EXPECT_EQ(verifyQuietly({saved}), 0);
  {
    VirtualTerminal screen;
    EXPECT_EQ(replayGame(loadRecording(saved), screen).reached, run.summaries[0]);
    EXPECT_EQ(withoutQuestion(screen.toString()), run.endScreens[0]);
  }
  fs::remove(saved);
  fs::remove(home.saveFile());

  full.emplace(4096);
  EXPECT_EQ(recordRun(" lk", SIGHUP, 11).summaries.at(0).ending, Ending::Stopped);
  full.reset();
  const fs::path stopped = recordingsIn(home).at(0);
  std::string lines;
  EXPECT_EQ(verifyQuietly({stopped}, &lines), 0) << lines;
  const std::string stoppedText = readFile(stopped);
  const std::size_t note = stoppedText.find("failed ");
  ASSERT_NE(note, std::string::npos);
  const fs::path older = home.saveFile().parent_path() / "older.vhr";
  writeFile(older, replaced(stoppedText.substr(0, note) +
                                stoppedText.substr(stoppedText.find('\n', note) + 1),
                            "game-version " VARDENHOLT_VERSION, "game-version 1.0.0"));
  EXPECT_EQ(verifyQuietly({older}, &lines), 0) << lines;

  const auto recover = [](const fs::path& path) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = recoverGame(path);
    return std::pair{status, testing::internal::GetCapturedStdout() +
                                 testing::internal::GetCapturedStderr()};
  };
  writeFile(home.saveFile(), "another game");
  EXPECT_EQ(recover(stopped).first, 1) << "a saved game is never replaced";
  EXPECT_EQ(readFile(home.saveFile()), "another game");
  fs::remove(home.saveFile());
  EXPECT_EQ(recover(stopped),
            (std::pair{0, "The game of " + stopped.filename().string() +
                              " has been recovered. Run vardenholt to continue it.\n"}));
  EXPECT_TRUE(readFile(home.saveFile()) == lostSave) << "the save the hangup would have written";
  EXPECT_TRUE(readPlayersLog().back().recovered);
  fs::remove(home.saveFile());
  EXPECT_EQ(recover(stopped).second,
            "vardenholt: the game of " + stopped.filename().string() + " was recovered before\n");
  EXPECT_EQ(recover(older).first, 0) << "another recording of it";
  fs::remove(home.saveFile());
  recordRun(" lS.n", 0, 11);
  fs::remove(home.saveFile());
  const fs::path finished = recordingsIn(home).back();
  const fs::path tampered = home.saveFile().parent_path() / "tampered.vhr";
  writeFile(tampered, replaced(stoppedText, "ending=stopped area=1 score=0",
                               "ending=stopped area=1 score=9"));
  for (const fs::path& path : {finished, tampered}) {
    EXPECT_NE(recover(path).second.find("is not the whole recording of a game whose save failed"),
              std::string::npos)
        << path;
  }
  EXPECT_FALSE(fs::exists(home.saveFile()));
}

// Verification proves no more than it can: a new game that its seed starts is proved from the
// seed, anything else only from the state the recording holds, however it ended. A seed, version
// or start time that is not what the game writes is refused.
TEST(Verify, ForgedRecordingsAreRefusedAndTheRestProvedOnlyFromWhatTheyHold) {
  const TempHome home;
  recordRun(" lS.n", 0, 3);
  const fs::path path = recordingsIn(home).at(0);
  const std::string text = readFile(path);
  const std::string version = "game-version " VARDENHOLT_VERSION;
  const struct {
    std::string text;
    int status;
    const char* says;
  } recordings[] = {
      {text, 0, "turns=2 from=seed:3\n"},
      {replaced(text, "\nseed 3\n", "\nseed -\n"), 0, "turns=2 from=state\n"},
      {replaced(text, "\nseed 3\n", "\nseed 4\n"), 1,
       "260: Invalid recording: its generator is not the first state of seed 4\n"},
      {replaced(replaced(text, "\nseed 3\n", "\nseed 4\n"), version, "game-version 1.0.0"), 0,
       "turns=2 from=state\n"},
      {replaced(text, version, "game-version 99.0.0"), 1,
       "260: Invalid recording: made by version 99.0.0, which this game cannot replay\n"},
      {replaced(text, version, "game-version 1.0"), 1, "made by version 1.0,"},
      {replaced(text, "started 2", "started 3"), 0, "from=seed:3"},
      {replaced(text, "started 2026-", "started 2026-13-"), 1, "Invalid recording: bad start time"},
      {replaced(text, "T", "t"), 1, "Invalid recording: bad start time"},
  };
  for (const auto& [bytes, status, says] : recordings) {
    writeFile(path, bytes);
    std::string lines;
    EXPECT_EQ(verifyQuietly({path}, &lines), status) << lines;
    EXPECT_NE(lines.find(says), std::string::npos) << lines << " instead of " << says;
  }
  fs::remove(path);

  // A saved game in which the King stands by the exit, the Black King and every piece taken.
  const board::Board forged = board::Board::fromPicture(
      {"R.@."}, Kills{MaxCaptures, MaxCaptures, MaxCaptures, MaxCaptures, MaxCaptures, 1},
      MapWidth, MapHeight);
  saveGame(forged.map, forged.player, forged.creatures, 20);
  recordRun(" lxn", 0, 3);
  std::string lines;
  EXPECT_EQ(verifyQuietly({recordingsIn(home).at(0)}, &lines), 0);
  EXPECT_TRUE(lines.starts_with("ending=win ")) << lines;
  EXPECT_TRUE(lines.ends_with(" from=state\n")) << lines;
}
