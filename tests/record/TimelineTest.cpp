#include "record/Timeline.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "record/Replay.hpp"
#include "screen/VirtualTerminal.hpp"

namespace vh {
namespace {

const std::string Data = VARDENHOLT_TEST_DATA;

// The screen as text, each cell's character and attributes.
std::string shown(const VirtualTerminal& screen) {
  std::string text;
  for (int row = 0; row < VirtualTerminal::Rows; ++row) {
    for (int column = 0; column < VirtualTerminal::Columns; ++column) {
      const TextAttributes look = screen.attributesAt(column, row);
      text += screen.charAt(column, row);
      text += static_cast<char>('a' + look.pair + (look.bold ? 16 : 0));
    }
    text += '\n';
  }
  return text;
}

std::string shown(const ScreenBuffer& cells) {
  std::string text;
  for (int row = 0; row < ScreenBuffer::Rows; ++row) {
    for (int column = 0; column < ScreenBuffer::Columns; ++column) {
      const ScreenBuffer::Cell& cell = cells.cell(column, row);
      text += cell.glyph;
      text += static_cast<char>('a' + cell.attributes.pair + (cell.attributes.bold ? 16 : 0));
    }
    text += '\n';
  }
  return text;
}

// The screen of a plain replay at every moment: before each input, then at its end.
std::vector<std::string> replayedScreens(const Recording& recording) {
  VirtualTerminal screen;
  std::vector<std::string> screens;
  replayGame(recording, screen, [&] { screens.push_back(shown(screen)); });
  screens.push_back(shown(screen));
  return screens;
}

}  // namespace

// Every moment of a game, reached step by step, by going back or by jumping far ahead, shows the
// screen a plain replay shows there, with the turns and the area of that moment.
TEST(Timeline, EveryMomentShowsTheReplaysScreenHoweverItIsReached) {
  for (const std::string name : {"/corpus/area-12-1.vhr", "/corpus/fresh-10-2.vhr",
                                 "/long-game.vhr"}) {
    SCOPED_TRACE(name);
    const Recording recording = loadRecording(Data + name);
    const std::vector<std::string> screens = replayedScreens(recording);
    Timeline timeline(recording, 8);
    ASSERT_EQ(timeline.length() + 1, screens.size());
    EXPECT_TRUE(timeline.ended());
    EXPECT_FALSE(timeline.error());
    const auto expectAt = [&](std::size_t moment) {
      ASSERT_EQ(timeline.position(), moment);
      EXPECT_EQ(shown(timeline.game()->screen.cells()), screens[moment]) << "moment " << moment;
      EXPECT_EQ(timeline.turnAt(moment), timeline.game()->turns);
      EXPECT_EQ(timeline.areaAt(moment), timeline.game()->level);
    };
    expectAt(0);
    for (std::size_t moment = 1; moment <= timeline.length(); ++moment) {
      timeline.forward();
      expectAt(moment);
    }
    EXPECT_TRUE(timeline.forward().empty()) << "nothing after the last moment";
    expectAt(timeline.length());
    std::mt19937 draw(7);
    for (int jump = 0; jump < 40; ++jump) {
      const std::size_t moment = draw() % (timeline.length() + 1);
      timeline.seek(moment);
      expectAt(moment);
    }
    timeline.seek(timeline.length() + 5);
    expectAt(timeline.length());

    // An area comes into view at each area start, and at no other moment.
    const std::vector<std::size_t>& starts = timeline.areaStarts();
    EXPECT_EQ(starts.front(), 0U);
    EXPECT_TRUE(std::adjacent_find(starts.begin(), starts.end(), std::greater_equal<>()) ==
                starts.end()) << "each start once, in order";
    for (std::size_t moment = 1; moment <= timeline.length(); ++moment) {
      const bool begins = timeline.areaAt(moment) != timeline.areaAt(moment - 1);
      EXPECT_EQ(std::find(starts.begin(), starts.end(), moment) != starts.end(), begins) << moment;
    }
    const int lastTurn = timeline.turnAt(timeline.length());
    const std::size_t middle = timeline.momentOfTurn(lastTurn / 2);
    EXPECT_EQ(timeline.turnAt(middle), lastTurn / 2);
    EXPECT_LT(timeline.turnAt(middle - 1), lastTurn / 2);
    EXPECT_EQ(timeline.momentOfTurn(lastTurn + 1), timeline.length() + 1);
  }
}

// A recording whose game cannot even begin has no moment to show, only its error line; one cut
// short stops at its last key, neither ended nor failed.
TEST(Timeline, ARecordingThatFailsOrStopsShortSaysSo) {
  Recording damaged = loadRecording(Data + "/corpus/area-12-1.vhr");
  damaged.start.savedGame = "[372]I\x1b]0;owned";
  const Timeline failed(damaged, 8);
  EXPECT_EQ(failed.game(), nullptr);
  EXPECT_EQ(failed.length(), 0U);
  EXPECT_EQ(failed.error().value_or("").substr(0, 29), "254: Invalid int to unmarshal");
  EXPECT_NE(failed.error()->find("?]0;owned"), std::string::npos) << "shown as printable text";
  EXPECT_EQ(failed.areaStarts(), std::vector<std::size_t>{0});


  Recording cut = loadRecording(Data + "/corpus/area-12-1.vhr");
  cut.keys.resize(cut.keys.size() / 2);
  cut.result.reset();
  const Timeline stopped(cut, 8);
  EXPECT_EQ(stopped.length(), cut.keys.size());
  EXPECT_FALSE(stopped.ended());
  EXPECT_FALSE(stopped.error());
}

}  // namespace vh
