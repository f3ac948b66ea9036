#include "record/Watch.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "record/Replay.hpp"
#include "record/Timeline.hpp"
#include "screen/Signals.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

const std::string LongGame = std::string(VARDENHOLT_TEST_DATA) + "/long-game.vhr";

// The game's rows above the bottom one, where the watcher's line goes.
std::string gameRows(const VirtualTerminal& screen) {
  std::string rows;
  for (int row = 0; row < VirtualTerminal::Rows - 1; ++row) rows += screen.row(row) + '\n';
  return rows;
}

// A plain replay's screen at every moment.
std::vector<std::string> replayedScreens(const Recording& recording) {
  VirtualTerminal screen;
  std::vector<std::string> screens;
  replayGame(recording, screen, [&] { screens.push_back(gameRows(screen)); });
  screens.push_back(gameRows(screen));
  return screens;
}

// The time the replay waited on the terminal, as its clock.
ReplayClock clockOf(const VirtualTerminal& screen) {
  return [&screen] { return std::chrono::steady_clock::time_point(screen.waited()); };
}

// One key of the watcher's, and the moment it should bring the replay to.
struct Press {
  int key;
  std::size_t moment;
};

}  // namespace

// Paused, the watcher steps forward and back, jumps from area to area and to a typed turn, and
// at the end goes back or leaves; each key shows the game's screen as it was at that moment,
// with where it stands on the bottom line.
TEST(Watch, EachKeyShowsTheGameAsItWasAtTheMomentItAsksFor) {
  const Recording recording = loadRecording(LongGame);
  const std::vector<std::string> screens = replayedScreens(recording);
  const Timeline timeline(recording, 8);
  const std::vector<std::size_t>& areas = timeline.areaStarts();
  ASSERT_GE(areas.size(), 4U);
  const std::size_t end = timeline.length();
  const std::size_t turn500 = timeline.momentOfTurn(500);
  const std::vector<Press> presses = {
      {'.', 1},          {KeyRight, 2},     {KeyLeft, 1},
      {KeyLeft, 0},      {KeyLeft, 0},      {'n', areas[1]},   {'n', areas[2]},
      {'.', areas[2] + 1}, {'p', areas[2]}, {'p', areas[1]},   {'g', areas[1]},
      {'5', areas[1]},   {'x', areas[1]},   {'0', areas[1]},   {KeyBackspace, areas[1]},
      {'0', areas[1]},   {'0', areas[1]},   {'\n', turn500},   {'g', turn500},
      {'7', turn500},    {KeyEscape, turn500}, {'g', turn500}, {'9', turn500},
      {'9', turn500},    {'9', turn500},    {'9', turn500},    {KeyEnter, end},
      {KeyLeft, end - 1}, {KeyRight, end},  {'p', areas.back()},
  };
  VirtualTerminal screen;
  screen.pressKeys(" ");  // paused before the first key
  std::size_t next = 0;
  std::vector<std::string> problems;
  screen.whenOutOfKeys([&]() -> int {
    const std::size_t moment = next == 0 ? 0 : presses[next - 1].moment;
    if (gameRows(screen) != screens.at(moment)) {
      problems.push_back("after key " + std::to_string(next) + ": not the screen of moment " +
                         std::to_string(moment) + "\n" + screen.toString());
    }
    if (next == presses.size()) return 'q';
    return presses[next++].key;
  });
  EXPECT_EQ(watchRecording(LongGame, screen, clockOf(screen)), 0);
  EXPECT_EQ(next, presses.size());
  for (const std::string& problem : problems) ADD_FAILURE() << problem;
}

// The bottom line tells the turn, the area, the pace and the keys; a turn being typed shows there
// as it is typed; the end says how the recording ended.
TEST(Watch, TheBottomLineTellsWhereTheReplayStands) {
  const Recording recording = loadRecording(LongGame);
  const Timeline timeline(recording, 8);
  const std::string lastTurn = std::to_string(timeline.turnAt(timeline.length()));
  std::vector<std::string> lines;
  VirtualTerminal screen;
  screen.pressKeys(" n+g12");
  const std::vector<int> answers = {'\n', 'g', KeyEscape, 'q'};
  screen.whenOutOfKeys([&]() -> int {
    lines.push_back(screen.row(VirtualTerminal::Rows - 1));
    return answers.at(std::min(lines.size(), answers.size()) - 1);
  });
  EXPECT_EQ(watchRecording(LongGame, screen, clockOf(screen)), 0);
  ASSERT_EQ(lines.size(), 4U);
  const std::string typing = "Go to turn: 12_  (0 to " + lastTurn + "; Enter goes, Escape stays)";
  EXPECT_EQ(lines[0].substr(0, typing.size()), typing);
  const std::size_t moment = timeline.momentOfTurn(12);
  const std::string expected = "Turn " + std::to_string(timeline.turnAt(moment)) + "/" +
                               lastTurn + "  Area " + std::to_string(timeline.areaAt(moment)) +
                               "  Pace 100 ms  Paused   space . <- -> n p g + - q";
  EXPECT_EQ(lines[1].substr(0, expected.size()), expected);
  EXPECT_EQ(lines[2].substr(0, 16), "Go to turn: _  (");
  EXPECT_EQ(lines[3], lines[1]) << "Escape stays";
}

// A signal leaves the replay at once. The error that ends a recording is the watcher's failure
// only once he has come to it: a recording whose game cannot begin shows its error at once.
TEST(Watch, ASignalLeavesAndAnErrorCountsOnceSeen) {
  const TempHome home;
  const std::filesystem::path damaged = home.saveFile().parent_path() / "damaged.vhr";
  std::filesystem::create_directories(damaged.parent_path());
  std::string text = readFile(LongGame);
  text = text.substr(0, text.find("saved-game")) + "saved-game 5\n[372]\nhigh-score none\nkeys\n120\n";
  writeFile(damaged, text);
  const auto watch = [](const std::string& path) {
    VirtualTerminal screen;
    screen.pressKeys(" ");
    screen.whenOutOfKeys([&screen]() -> int {
      screen.sendSignal(SIGTERM);
      return screen.readKey();
    });
    testing::internal::CaptureStderr();
    const int status = watchRecording(path, screen, clockOf(screen));
    clearPendingSignal();  // the signal was the test's, not the process's
    return std::pair{status, testing::internal::GetCapturedStderr()};
  };
  const auto [stopped, stoppedWords] = watch(LongGame);
  EXPECT_EQ(stopped, 0);
  EXPECT_EQ(stoppedWords, "");
  const auto [failed, failedWords] = watch(damaged.string());
  EXPECT_EQ(failed, 1);
  EXPECT_EQ(failedWords.substr(0, 16), "vardenholt: 254:") << failedWords;
}

}  // namespace vh
