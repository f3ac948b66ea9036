#include <gtest/gtest.h>

#include <csignal>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "save/Records.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/Signals.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/TempHome.hpp"

using namespace vh;

TEST(SaveFlow, ASaveResumesOnTheNextRunAndADamagedOneShowsItsErrorAndStays) {
  const TempHome home;
  std::string shown;  // the game as last shown to the player, written out
  observeTurns([&](Moment, const Map& map, Player player, const CreatureList& creatures, int level) {
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
