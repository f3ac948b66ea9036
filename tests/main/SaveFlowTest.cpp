#include <gtest/gtest.h>

#include <csignal>

#include "save/Savefile.hpp"
#include "support/Board.hpp"
#include "support/SteppedRun.hpp"

namespace vh::board {
namespace {

std::string savedRow(const char* row, const Kills& kills, int level) {
  const Board b = Board::fromPicture({row}, kills, MapWidth, MapHeight);
  return savedGameText(b.map, b.player, b.creatures, level);
}

GameState savedIn(SteppedRun& run) {
  const UsingStore filesIn(run.files);
  return loadGame();
}

}  // namespace

// A signal saves the game as the last turn left it and ends the run. The King's moves of one turn
// stand or fall together, so a signal during his second move saves the turn's start and the
// resumed game gives him no extra move; whatever play reaches, even the deepest area with every
// count at its limit or a second Black King taken, saves to a file that loads again; and a run hung
// up on right after restoring writes the same game back, never the fresh area built before.
TEST(SaveFlow, ASignalSavesTheGameAsTheLastTurnLeftIt) {
  const Kills full{MaxCaptures, MaxCaptures, MaxCaptures, MaxCaptures, MaxCaptures, 0};
  const struct {
    const char* what;
    const char* row;  // of the saved game, or none for a new one
    Kills kills;
    int level;
    const char* keys;
    int signal;
    int kingX;  // where the King stands in the saved game
  } games[] = {
      {"a new game, one step right", nullptr, {}, 1, " l", SIGHUP, 3},
      {"the second move interrupted", "@P..", taken("5Q"), 1, " l", SIGTERM, MapWidth - 4},
      {"the deepest area escaped with a capture", "@P", full, LastArea, " l ", SIGHUP, 2},
      {"a second Black King captured", "@K.....", taken("1K"), 20, " l", SIGHUP, MapWidth - 6},
  };
  for (const auto& game : games) {
    SCOPED_TRACE(game.what);
    std::map<std::string, std::string> files;
    if (game.row) files[SaveEntry] = savedRow(game.row, game.kills, game.level);
    SteppedRun run(files, 7);
    run.press(game.keys);
    run.signal(game.signal);
    EXPECT_EQ(run.game.waiting, Waiting::Over);
    EXPECT_EQ(run.game.farewell, "Your game has been saved. Run vardenholt to continue it.");
    const GameState saved = savedIn(run);
    EXPECT_EQ(saved.level, game.level);
    EXPECT_EQ(saved.player.kills, game.kills);
    EXPECT_EQ(saved.player.x, game.kingX);
    EXPECT_TRUE(saved.player.alive);

    SteppedRun restored(run.files.files());
    restored.press(" ");
    restored.signal(SIGHUP);
    EXPECT_EQ(restored.file(SaveEntry), run.file(SaveEntry));
  }
}

// A save that cannot be written ends neither the game nor the run: the player reads why, on as
// many rows as it takes, and plays on; the score screen stands when the high score cannot be kept.
TEST(SaveFlow, FailedWritesAreShownAndTheGameGoesOn) {
  const std::string why =
      "File Error: /home/" + std::string(40, 'a') + "/.vh/vardenholt.sav: File too large";
  bool diskFull = true;
  const auto failing = [&](std::string failed) {
    return [&, failed](const std::string& name, const std::string&) {
      if (diskFull && name == failed) throw GameError(why, 1);
    };
  };
  SteppedRun run({{SaveEntry, savedRow("@...", {}, 1)}}, 1, failing(SaveEntry));
  run.press(" S.");
  std::string shown = run.screen.row(22) + run.screen.row(23);
  EXPECT_NE(shown.substr(80).find_first_not_of(' '), std::string::npos) << "it wraps";
  std::erase(shown, ' ');
  EXPECT_EQ(shown, "1:FileError:/home/" + std::string(40, 'a') + "/.vh/vardenholt.sav:Filetoolarge");
  EXPECT_EQ(run.screen.row(20), line("The game was not saved. Press S to try again, or play on."));
  run.press("l");
  EXPECT_EQ(run.screen.row(22) + run.screen.row(23), line("") + line("")) << "a move clears it";
  EXPECT_EQ(run.game.waiting, Waiting::Move);
  EXPECT_FALSE(run.files.holds(SaveEntry));
  // A signal right after the failed save saves the turn as a game nobody asked to save.
  SteppedRun signalled({{SaveEntry, savedRow("@...", {}, 1)}}, 1, failing(SaveEntry));
  signalled.press(" S.");
  diskFull = false;
  signalled.signal(SIGHUP);
  EXPECT_FALSE(savedIn(signalled).player.saveRequested);
  diskFull = true;

  for (const char* damage : {"", "[372]I[0]"}) {  // none there and the write fails; unreadable
    SCOPED_TRACE(damage);
    std::map<std::string, std::string> files{{SaveEntry, savedRow("Q.@..", {}, 3)}};
    if (*damage) files[HighScoreEntry] = damage;
    SteppedRun doomed(files, 1, failing(HighScoreEntry));
    doomed.press(" . n");
    EXPECT_EQ(doomed.screen.row(10), line("    Your final score was: 0"));
    EXPECT_EQ(doomed.screen.row(12), line("    High score: not recorded."));
    EXPECT_EQ(doomed.screen.row(13).substr(4, 3), *damage ? "253" : "1: ");
    EXPECT_EQ(doomed.screen.styleAt(4, 13), (VirtualTerminal::Style{Colour::Red, true}));
    EXPECT_EQ(doomed.screen.row(15).substr(15, 17), "Play again? [Y/n]");
  }
}

}  // namespace vh::board
