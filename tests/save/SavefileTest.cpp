#include <gtest/gtest.h>

#include "save/Records.hpp"
#include "save/Savefile.hpp"
#include "support/TempHome.hpp"

using namespace vh;

TEST(Savefile, LoadingDeletesTheFileSavingWritesItBackAndFailuresKeepIt) {
  const TempHome home;
  const std::string text = readFile(VARDENHOLT_FUZZ_DATA "/corpus/saved-area-1.sav");
  // The game, its map, then the column array and the first column, each opening with the
  // placeholder 0, and cell (1, 1).
  ASSERT_EQ(text.rfind("[372]U[[0][0][4][372]U[[1][0][3][372]A[[2][372]I[0][372]A[[3][372]I[0]"
                       "[372]U[[4][0][1][372]U[[5][0][2][372]U[[6][0][3][372]I[35]", 0), 0U);
  writeFile(home.saveFile(), text);
  GameState game = loadGame();
  EXPECT_FALSE(saveExists());
  saveGame(game.map, game.player, game.creatures, game.level);
  EXPECT_EQ(readFile(home.saveFile()), text);
  std::filesystem::create_directory(home.saveFile().string() + ".new");  // cannot be written
  EXPECT_EQ(failureOf([] { saveGame({}, {}, {}, 1); }), "1: File Error");
  EXPECT_EQ(readFile(home.saveFile()), text);
  game.creatures[3].x = game.creatures[2].x, game.creatures[3].y = game.creatures[2].y;
  writeFile(home.saveFile(), marshal(toDocument(game), SaveId));  // two pieces on one cell
  EXPECT_EQ(failureOf(loadGame).substr(0, 4), "251:");
  EXPECT_TRUE(saveExists());
}

TEST(HighScoreFile, FirstGameCreatesItTiesReplaceLowerScoresLeaveIt) {
  const TempHome home;
  EXPECT_EQ(updateHighScore(HighScore{0, 2, Outcome::Lose}), (HighScore{0, 2, Outcome::Lose}));
  EXPECT_EQ(readFile(home.highScoreFile()), "[191]U[[0][0][3][191]I[0][191]I[2][191]U[[1][0][0]]]");
  EXPECT_EQ(updateHighScore(HighScore{0, 7, Outcome::Draw}), (HighScore{0, 7, Outcome::Draw}));
  EXPECT_EQ(updateHighScore(HighScore{1060, 20, Outcome::Win}), (HighScore{1060, 20, Outcome::Win}));
  const std::string best = readFile(home.highScoreFile());
  EXPECT_EQ(best, "[191]U[[0][0][3][191]I[1060][191]I[20][191]U[[1][2][0]]]");
  EXPECT_EQ(updateHighScore(HighScore{1059, 30, Outcome::Win}), (HighScore{1060, 20, Outcome::Win}));
  std::filesystem::create_directory(home.highScoreFile().string() + ".new");  // cannot be written
  EXPECT_EQ(failureOf([] { updateHighScore(HighScore{9999, 1, Outcome::Win}); }), "1: File Error");
  EXPECT_EQ(readFile(home.highScoreFile()), best);
  writeFile(home.highScoreFile(), "[372]I[0]");
  EXPECT_EQ(failureOf([] { updateHighScore(HighScore{9999, 1, Outcome::Win}); }), "253: Invalid unmarshalling id");
}
