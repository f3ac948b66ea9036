#include <gtest/gtest.h>

#include <csignal>
#include <map>

#include "main/Game.hpp"
#include "main/Vardenholt.hpp"
#include "save/Records.hpp"
#include "save/Savefile.hpp"
#include "screen/Signals.hpp"
#include "support/Board.hpp"
#include "support/Golden.hpp"
#include "support/SteppedRun.hpp"

namespace vh::board {

// A saved game on the bottom row of the map, whose last cell is the exit.
std::map<std::string, std::string> savedRow(const char* row, const char* kills, int level = 7) {
  const Board b = Board::fromPicture({row}, taken(kills), MapWidth, MapHeight);
  return {{SaveEntry, savedGameText(b.map, b.player, b.creatures, level)}};
}

// Turns through the driver: five captured queens give the King a second move and ten a third, a
// piece that takes him ends the game, and reaching the exit ends the turn before any piece answers
// and leads to the next area, or to the victory once the Black King is taken.
TEST(Driver, TurnsGiveTheKingOneToThreeMovesAndEndWhenHeIsTakenOrOut) {
  const struct {
    const char *kills, *row, *keys, *line0, *line1, *screen = nullptr;
    int area = 7;
  } turns[] = {
      {"4Q", "@P..", "l", "You captured a pawn! ", ""},
      {"9P 5Q", "@PK.", "l", "You captured a pawn! ", "Second move.", "second-move"},
      {"9P 5Q", "@PK.", "ll", "You captured the king! ", "", "captures-announced"},
      {"4Q", "@Q..", "l", "You captured a queen! ", "Second move."},
      {"10Q", "@P..", "ll", "", "Third move."},
      {"10Q", "@P..", "llh", "", ""},
      {"", "@PQ.", "l", "You captured a pawn! You were captured by a queen. Checkmate.",
       "Press any key to exit."},
      {"10Q", "R.@.", "l", "", "Press any key for the next area."},
      {"10Q", "R.@.", "l ", "", "", nullptr, 8},
      {"1K", "R.@.", "l", "", "You have killed the Black King and escaped! You have won!"}};
  for (const auto& turn : turns) {
    SCOPED_TRACE(testing::Message() << turn.kills << " " << turn.row << " " << turn.keys);
    SteppedRun run(savedRow(turn.row, turn.kills));
    run.press(" " + std::string(turn.keys));  // past the instructions first
    EXPECT_EQ(run.screen.row(19) + run.screen.row(20), line(turn.line0) + line(turn.line1));
    EXPECT_EQ(golden::trimmed(run.screen.row(0).substr(60)), "Area: " + std::to_string(turn.area));
    if (turn.screen) golden::expectScreen(run.screen, turn.screen);
  }
}

// Whole games in one home, from a saved position to the player's last answer: a loss, a draw and
// a win each end on the score screen and set a new record; a save writes the game as the turn
// left it and leaves the record alone; a hangup after the King was taken writes nothing, and so
// does a save asked for in the turn he is taken: his game is over.
TEST(Driver, GamesEndOnTheScoreScreenOrInASaveAndWriteOnlyWhatTheyShould) {
  golden::expectScreen(SteppedRun().screen, "instructions");  // a run opens on them
  const std::string win = "[191]U[[0][0][3][191]I[1060][191]I[7][191]U[[1][2][0]]]";
  const struct {
    const char *name, *screen, *row, *kills, *keys;
    std::string record;           // the high-score file afterwards
    const char* saved = nullptr;  // the row of the saved game afterwards
    bool hangUp = false;
  } games[] = {
      {"save, then taken", "loss", "@.Q", "", "S.xn",
       "[191]U[[0][0][3][191]I[0][191]I[7][191]U[[1][0][0]]]"},
      {"loss", "loss", "@.Q", "", ".xn", "[191]U[[0][0][3][191]I[0][191]I[7][191]U[[1][0][0]]]"},
      {"draw", "draw", "@.Q", "1K 1N", ".xn",
       "[191]U[[0][0][3][191]I[503][191]I[7][191]U[[1][1][0]]]"},
      {"win", "win", "@K.", "1P 2N 1B 1R 5Q", "llxn", win},
      {"save", "save", "@....P.", "", "S.n", win, "@...P.."},
      {"hangup", nullptr, "@.Q", "", ".", win, nullptr, true}};
  int areasShown = 0;  // to the tests of long play that watch them
  std::map<std::string, std::string> files;
  for (const auto& game : games) {
    SCOPED_TRACE(game.name);
    files[SaveEntry] = savedRow(game.row, game.kills)[SaveEntry];
    observeTurns([&](Moment moment, auto&&...) { areasShown += moment == Moment::AreaShown; });
    SteppedRun run(files);
    observeTurns(nullptr);
    run.press(std::string(" ") + game.keys);
    if (game.hangUp) run.signal(SIGHUP);
    EXPECT_EQ(run.game.waiting, Waiting::Over);
    if (game.screen) golden::expectScreen(run.screen, std::string("game-") + game.screen);
    EXPECT_EQ(run.file(HighScoreEntry), game.record);
    std::string saved;
    if (game.saved) {
      Board b = Board::fromPicture({game.saved}, {}, MapWidth, MapHeight);
      b.player.saveRequested = true;
      saved = savedGameText(b.map, b.player, b.creatures, 7);
    }
    EXPECT_TRUE(run.file(SaveEntry) == saved) << "the saved game is not the one expected";
    files = run.files.files();
  }
  EXPECT_EQ(areasShown, 6);
}

// A run is a value that waits where it says, and moves on one input at a time: the instructions,
// the King's move, the help in the middle of it, the end of the area, the question; a signal in a
// game saves it and ends the run; an error waits on its line for a key.
TEST(Driver, ARunWaitsWhereItSaysAndMovesOnOneInputAtATime) {
  const struct {
    int key;
    Waiting waiting;
    int move;
  } steps[] = {{' ', Waiting::Move, 1},     {'?', Waiting::Help, 1},
               {'x', Waiting::Move, 1},     {'Z', Waiting::Move, 1},
               {'.', Waiting::Move, 2},     {'.', Waiting::AreaEnd, 2},
               {'x', Waiting::Question, 2}, {'n', Waiting::Over, 2}};
  SteppedRun run(savedRow("@.Q", "5Q"));
  EXPECT_EQ(run.game.waiting, Waiting::Instructions);
  for (const auto& [key, waiting, move] : steps) {
    SCOPED_TRACE(key);
    run.give(Input{key, 0});
    EXPECT_EQ(run.game.waiting, waiting);
    EXPECT_EQ(run.game.move, move);
  }
  EXPECT_EQ(run.game.ended->ending, Ending::Lose);
  EXPECT_EQ(run.game.farewell, "");

  SteppedRun signalled(savedRow("@.Q", ""));
  signalled.press(" ");
  signalled.signal(SIGHUP);
  EXPECT_EQ(signalled.game.waiting, Waiting::Over);
  EXPECT_EQ(signalled.game.farewell, "Your game has been saved. Run vardenholt to continue it.");
  EXPECT_EQ(signalled.game.ended->signal, SIGHUP);
  EXPECT_TRUE(signalled.files.holds(SaveEntry));

  SteppedRun damaged({{SaveEntry, "[372]I\x1b[2J"}});  // the escape is shown as '?'
  damaged.press(" ");
  EXPECT_EQ(damaged.game.waiting, Waiting::ErrorLine);
  const std::string error = "254: Invalid int to unmarshall : ?[2J";
  EXPECT_EQ(damaged.game.farewell, error);
  EXPECT_EQ(damaged.screen.row(0), line(error));
  EXPECT_EQ(damaged.screen.row(4).substr(0, 22), "Press any key to exit.");
  damaged.press("x");
  EXPECT_EQ(damaged.game.waiting, Waiting::Over);
  EXPECT_TRUE(damaged.files.holds(SaveEntry)) << "a damaged save stays for the player to look into";
}

}  // namespace vh::board

namespace vh {

// Two runs in one process, stepped in turn, each with its own screen, files and seed, give
// exactly what each gives alone: nothing of one run lives outside it. A terminal shown the
// updates each step answers with shows what the run's own screen holds.
TEST(Game, TwoRunsSteppedInTurnGiveWhatEachGivesAlone) {
  const std::string keys[] = {" lljjkkhh.rS.n", " jjjllll..?xyS.n"};
  const auto screenOf = [](const ScreenBuffer& cells) {
    std::string text;
    for (int row = 0; row < ScreenBuffer::Rows; ++row) text += cells.row(row) + '\n';
    return text;
  };
  SteppedRun alone[2] = {SteppedRun({}, 11), SteppedRun({}, 12)};
  for (std::size_t i = 0; i < 2; ++i) {
    alone[i].press(keys[i]);
    EXPECT_EQ(alone[i].game.waiting, Waiting::Over);
    EXPECT_EQ(alone[i].screen.toString() + '\n', screenOf(alone[i].game.screen.cells()));
    EXPECT_TRUE(alone[i].screen.foregroundAt(64, 14)) << "the keypad's colours reach the terminal";
  }
  SteppedRun together[2] = {SteppedRun({}, 11), SteppedRun({}, 12)};
  lfSrand(99);
  const LfState outside = lfState();
  for (std::size_t k = 0; k < std::max(keys[0].size(), keys[1].size()); ++k) {
    for (std::size_t i = 0; i < 2; ++i) {
      if (k < keys[i].size()) together[i].press(keys[i].substr(k, 1));
    }
  }
  EXPECT_EQ(lfState(), outside) << "a step draws on its run's generator only";
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(together[i].screen.toString(), alone[i].screen.toString());
    EXPECT_TRUE(together[i].files.files() == alone[i].files.files());
    EXPECT_TRUE(together[i].files.holds(SaveEntry)) << "each run saved its own game";
  }
}

}  // namespace vh
