#include <gtest/gtest.h>

#include <csignal>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "save/Records.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/Board.hpp"
#include "support/TempHome.hpp"

using namespace vh;

TEST(SaveFlow, ASaveResumesOnTheNextRunAndADamagedOneShowsItsErrorAndStays) {
  const TempHome home;
  std::string shown;  // the game as last shown to the player, written out
  observeTurns(
      [&](Moment, const Map& map, Player player, const CreatureList& creatures, int level) {
        player.saveRequested = false;
        shown = marshal(toDocument(GameState{map, player, creatures, level}), SaveId);
      });
  VirtualTerminal terminal;
  useTerminal(terminal);
  terminal.pressKeys(" S5n");  // past the instructions, ask to save, wait a turn, then answer
  lfSrand(5);
  runVardenholt();
  ASSERT_TRUE(saveExists());
  EXPECT_EQ(terminal.row(15).substr(15, 20), "Continue play? [Y/n]");
  const std::string saved = shown;
  terminal.pressKeys(" ");  // past the instructions; stopped at the King's first move
  EXPECT_THROW(runVardenholt(), KeyScriptExhausted);
  EXPECT_TRUE(!terminal.started() && terminal.cursorVisible()) << "even an abandoned run";
  observeTurns(nullptr);
  EXPECT_FALSE(saveExists());
  EXPECT_EQ(shown, saved);

  writeFile(home.saveFile(), "[372]I\x1b[2J");  // the escape is shown as '?'
  terminal.pressKeys(" x");  // instructions, then the key the error line waits for
  testing::internal::CaptureStdout();
  runVardenholt();
  const std::string line = "254: Invalid int to unmarshall : ?[2J";
  EXPECT_EQ(testing::internal::GetCapturedStdout(), line + "\n");
  EXPECT_EQ(terminal.row(0), line + std::string(80 - line.size(), ' '));
  EXPECT_TRUE(saveExists());
}

// The line drops while the game waits for a move: the game in play is saved; a run hung up on
// right after restoring writes the same game back, never the fresh area built before the restore.
TEST(SaveFlow, AHangupSavesTheGameInPlayAndNeverAFreshAreaOverIt) {
  const TempHome home;
  VirtualTerminal terminal;
  useTerminal(terminal);
  std::string saved;
  for (const char* keys : {" l", " "}) {  // one step right, then straight into the hangup
    terminal.pressKeys(keys);
    terminal.sendSignal(SIGHUP);
    runVardenholt();
    clearPendingSignal();
    EXPECT_FALSE(terminal.started());
    if (saved.empty()) saved = readFile(home.saveFile());
  }
  EXPECT_EQ(readFile(home.saveFile()), saved);
  EXPECT_NE(saved.find("[372]I[1][372]I[3][372]I[2][372]U[["), std::string::npos)
      << "the living King one step right of the start";
}

namespace vh::board {

// The King's moves of one turn stand or fall together: a signal during his second move saves the
// game as the turn began, so the resumed game gives him no extra move.
TEST_F(Gameplay, ASignalDuringTheSecondMoveSavesTheTurnsStart) {
  const TempHome home;
  const Board b = Board::fromPicture({"@P.."}, taken("5Q"), MapWidth, MapHeight);
  saveGame(b.map, b.player, b.creatures, 1);
  terminal.pressKeys(" l");  // the first move captures the pawn
  terminal.sendSignal(SIGTERM);
  testing::internal::CaptureStdout();
  runVardenholt();
  clearPendingSignal();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Your game has been saved. Run vardenholt to continue it.\n");
  const GameState saved = loadGame();
  EXPECT_EQ(saved.player.x, b.player.x);
  EXPECT_EQ(saved.player.kills, taken("5Q"));
  EXPECT_TRUE(saved.creatures[1].alive) << "the pawn taken in the interrupted turn is back";
}

// Whatever a game reaches by play, even from the deepest area with every count at its limit or
// from a saved game holding two Black Kings, saves to a file that loads again.
TEST_F(Gameplay, AGameAtTheLimitsSavesAFileTheGameCanLoad) {
  const Kills full{MaxCaptures, MaxCaptures, MaxCaptures, MaxCaptures, MaxCaptures, 0};
  const struct {
    const char* what;
    const char* row;
    Kills kills;
    int level;
    const char* keys;  // then a signal saves the game
    int kingX;         // where the King stands in the saved game
  } games[] = {
      {"the deepest area escaped with a capture", "@P", full, LastArea, " l ", 2},
      {"a second Black King captured", "@K.....", taken("1K"), 20, " l", MapWidth - 6},
  };
  for (const auto& game : games) {
    SCOPED_TRACE(game.what);
    const TempHome home;
    const Board b = Board::fromPicture({game.row}, game.kills, MapWidth, MapHeight);
    saveGame(b.map, b.player, b.creatures, game.level);
    lfSrand(7);
    terminal.pressKeys(game.keys);
    terminal.sendSignal(SIGHUP);
    testing::internal::CaptureStdout();
    runVardenholt();
    testing::internal::GetCapturedStdout();
    clearPendingSignal();
    const GameState saved = loadGame();
    EXPECT_EQ(saved.level, game.level);
    EXPECT_EQ(saved.player.kills.pawns, game.kills.pawns);
    EXPECT_EQ(saved.player.kills.king, game.kills.king);
    EXPECT_EQ(saved.player.x, game.kingX);
  }
}

// A save that cannot be written ends neither the game nor the run: the player reads why, and
// plays on; the score screen stands when the high score cannot be kept.
TEST_F(Gameplay, FailedWritesAreShownAndTheGameGoesOn) {
  const TempHome home;
  const std::filesystem::path deep = home.saveFile().parent_path().parent_path() / "folders" /
                                     "deep" / "enough" / "to" / "wrap";
  std::filesystem::create_directories(deep);
  setenv("HOME", deep.c_str(), 1);  // the error line is too long for one row
  const Board b = Board::fromPicture({"@..."}, {}, MapWidth, MapHeight);
  saveGame(b.map, b.player, b.creatures, 1);
  std::string shown, afterAMove;
  {
    const FileSizeLimit limit(4096);
    terminal.pressKeys(" S.");
    terminal.whenOutOfKeys([&]() -> int {
      if (!shown.empty()) throw KeyScriptExhausted();
      shown = terminal.row(22) + terminal.row(23);
      return 'l';
    });
    EXPECT_THROW(runVardenholt(), KeyScriptExhausted);
  }
  EXPECT_EQ(shown.substr(0, 15), "1: File Error: ");
  EXPECT_NE(shown.substr(80).find_first_not_of(' '), std::string::npos) << "it wraps";
  std::erase(shown, ' ');
  EXPECT_NE(shown.find("/.vh/vardenholt.sav:Filetoolarge"), std::string::npos) << shown;
  EXPECT_EQ(terminal.row(20), line("The game was not saved. Press S to try again, or play on."));
  EXPECT_EQ(terminal.row(22) + terminal.row(23), line("") + line("")) << "the next move clears it";
  EXPECT_FALSE(saveExists());
  setenv("HOME", home.saveFile().parent_path().parent_path().c_str(), 1);

  const Board doomed = Board::fromPicture({"Q.@.."}, {}, MapWidth, MapHeight);
  for (const char* damage : {"directory", "[372]I[0]"}) {
    SCOPED_TRACE(damage);
    saveGame(doomed.map, doomed.player, doomed.creatures, 3);
    std::filesystem::remove_all(home.highScoreFile());
    if (std::string_view(damage) == "directory") {
      std::filesystem::create_directory(home.highScoreFile());
    } else {
      writeFile(home.highScoreFile(), damage);
    }
    terminal.pressKeys(" . n");
    runVardenholt();
    EXPECT_EQ(terminal.row(10), line("    Your final score was: 0"));
    EXPECT_EQ(terminal.row(12), line("    High score: not recorded."));
    EXPECT_EQ(terminal.row(13).substr(4, 3), damage[0] == 'd' ? "1: " : "253");
    EXPECT_EQ(terminal.styleAt(4, 13), (VirtualTerminal::Style{Colour::Red, true}));
    EXPECT_EQ(terminal.row(15).substr(15, 17), "Play again? [Y/n]");
  }
}

}  // namespace vh::board
