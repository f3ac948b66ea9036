#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "main/Run.hpp"
#include "record/Replay.hpp"
#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "screen/Screen.hpp"
#include "screen/Util.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/TempHome.hpp"

using namespace vh;

// A run tells its page when each game begins and ends, records each game under the run's seed,
// and whatever error escapes the game ends the run with one line on standard output.
TEST(Run, GamesAreAnnouncedAndRecordedAndAnEscapedErrorIsOneLine) {
  const TempHome home;
  VirtualTerminal screen;
  screen.pressKeys(" lS.n");
  std::vector<bool> inPlay;
  playRecordedRun(screen, 42, {[&] { inPlay.push_back(true); },
                               [&](const GameSummary&) { inPlay.push_back(false); }});
  EXPECT_TRUE(!screen.started() && screen.cursorVisible()) << "the terminal is given back";
  EXPECT_EQ(inPlay, (std::vector<bool>{true, false}));
  const auto recordings = home.saveFile().parent_path() / "recordings";
  ASSERT_FALSE(std::filesystem::is_empty(recordings));
  const std::string recording =
      readFile(std::filesystem::directory_iterator(recordings)->path());
  EXPECT_NE(recording.find("\nseed 42\n"), std::string::npos);
  // Nothing points into a run once it is over: a game played after it is neither recorded nor
  // drawn anywhere but on its own terminal.
  {
    VirtualTerminal after;
    after.pressKeys(" ");
    const UsingTerminal drawnOn(after);
    EXPECT_THROW(runVardenholt(), KeyScriptExhausted);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(recordings), {}), 1);
    EXPECT_NE(after.row(0).find("Area: 1"), std::string::npos);
  }
  // The seed alone decides the game, whatever was drawn before.
  std::filesystem::remove(home.saveFile());
  lfSrand(7);
  VirtualTerminal again;
  again.pressKeys(" lS.n");
  playRecordedRun(again, 42);
  EXPECT_EQ(again.toString(), screen.toString());

  const struct {
    std::function<int()> failure;
    const char* line;
  } escaped[] = {
      {[]() -> int { throw GameError("Broken pipe", 9); }, "Broken pipe (error code 9)\n"},
      {[]() -> int { throw std::runtime_error("out of memory"); }, "out of memory\n"},
  };
  for (const auto& [failure, line] : escaped) {
    VirtualTerminal failing;
    failing.whenOutOfKeys(failure);
    testing::internal::CaptureStdout();
    playRecordedRun(failing, 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), line);
  }
}

// A save whose copy to where it is kept failed after it was written (the browser's storage) is a
// failed save: the game goes on, and the recording says so, so that it still verifies.
TEST(Run, ASaveThatIsNotKeptAfterItWasWrittenFailsAndIsRecorded) {
  const TempHome home;
  VirtualTerminal screen;
  {
    RecordedRun run(screen, 5);
    for (const char key : std::string(" S.")) run.give(Input{key, 0});
    EXPECT_FALSE(run.writeChanges());
    ASSERT_TRUE(run.waitsForWrite());
    run.written(GameError("File Error: the copy failed", 1), true);
    EXPECT_EQ(screen.row(22).substr(0, 30), "1: File Error: the copy failed");
    for (const char key : std::string("S.")) run.give(Input{key, 0});
    EXPECT_FALSE(run.writeChanges());
    run.written(std::nullopt, true);  // kept this time
    EXPECT_EQ(screen.row(15).substr(15, 20), "Continue play? [Y/n]");
    run.give(Input{'n', 0});
    EXPECT_TRUE(run.over());
  }
  const auto recordings = std::filesystem::directory_iterator(home.saveFile().parent_path() /
                                                              "recordings");
  const std::string recording = readFile(recordings->path());
  EXPECT_NE(recording.find("\nfailed vardenholt.sav 1 File Error: the copy failed\n"),
            std::string::npos);
  testing::internal::CaptureStdout();
  EXPECT_EQ(verifyRecordings({RecordingSource{recordings->path(), {}}}), 0);
  testing::internal::GetCapturedStdout();
}
