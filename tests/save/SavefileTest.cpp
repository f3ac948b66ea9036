#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "main/Vardenholt.hpp"
#include "player/Player.hpp"
#include "random/Lfrand.hpp"
#include "save/Marshal.hpp"
#include "save/Records.hpp"
#include "save/Savefile.hpp"
#include "screen/Util.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

int failureCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const GameError& error) {
    return error.code();
  }
  return 0;
}

// Area 3 of seed 11 in mid-game: captures made, a captured piece lying under a living one.
GameState sampleGame() {
  lfSrand(11);
  GameState state{buildAreaMap(3), newplayer(), {}, 3};
  state.creatures = populateArea(state.map, 3);
  state.player.kills = Kills{4, 1, 2, 0, 1, 0};
  state.player.message = "You capture the pawn.";
  state.player.saveRequested = true;
  state.creatures[1] = Creature{false, state.creatures[2].x, state.creatures[2].y,
                                state.creatures[1].look, state.creatures[1].name};
  return state;
}

void save(const GameState& s) { saveGame(s.map, s.player, s.creatures, s.level); }

TEST(Savefile, GameRoundTripsAndLoadingDeletesTheFile) {
  const TempHome home;
  const GameState saved = sampleGame();
  save(saved);
  const std::string text = readFile(home.saveFile());
  // The game, its map, the column array and the first column, each opening with 0, then (1, 1).
  EXPECT_EQ(text.rfind("[372]U[[0][0][4][372]U[[1][0][3][372]A[[2][372]I[0][372]A[[3][372]I[0]"
                       "[372]U[[4][0][1][372]U[[5][0][2][372]U[[6][0][3][372]I[35]"
                       "[372]U[[7][7][0]][372]U[[8][1][0]]][372]U[[9][0][1][372]I[1]]]]", 0), 0U);
  const std::regex placeholder(R"(\]A\[\[(\d+)\]\[372\]I\[0\])");
  EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), placeholder), {}), 61);
  const GameState loaded = loadGame();
  EXPECT_FALSE(saveExists());
  for (int x = 1; x <= 59; ++x) {
    for (int y = 1; y <= 19; ++y) {
      ASSERT_EQ(loaded.map.cells.at(x).at(y).terrain, saved.map.cells[x][y].terrain) << x << "," << y;
    }
  }
  EXPECT_EQ(loaded.player, saved.player);
  EXPECT_EQ(loaded.creatures, saved.creatures);
  EXPECT_EQ(loaded.level, 3);
  // Position 0 is never read, so another writer may put anything there.
  writeFile(home.saveFile(), std::regex_replace(text, placeholder, "]A[[$1][372]S[[1]x]"));
  EXPECT_EQ(loadGame().creatures, saved.creatures);
}

TEST(Savefile, MisshapenOrForeignSaveIsRefusedAndKept) {
  const std::vector<std::function<void(GameState&)>> damage = {
      [](GameState& s) { s.level = 0; },
      [](GameState& s) { s.map.height = 20; },
      [](GameState& s) { s.map.cells[5][5].terrain.look.glyph = '\x1b'; },
      [](GameState& s) { s.map.cells[5][5].terrain.look.colour = static_cast<Colour>(8); },
      [](GameState& s) { s.player.x = 1; },  // on the edge
      [](GameState& s) { s.player.kills.king = 2; },
      [](GameState& s) { s.creatures[2].x = 60; },
      [](GameState& s) { s.creatures[3].name = std::string(17, 'q'); },
      [](GameState& s) { s.creatures[3].x = s.creatures[2].x, s.creatures[3].y = s.creatures[2].y; },
  };
  const TempHome home;
  for (std::size_t i = 0; i < damage.size(); ++i) {
    GameState state = sampleGame();
    damage[i](state);
    writeFile(home.saveFile(), marshal(toDocument(state), SaveId));
    EXPECT_EQ(failureCode(loadGame), 251) << "damage " << i;
    EXPECT_TRUE(saveExists()) << "damage " << i;
  }
  writeFile(home.saveFile(), "[191]U[[0][0][3][191]I[0][191]I[1][191]U[[1][0][0]]]");
  EXPECT_EQ(failureCode(loadGame), 253);
  EXPECT_TRUE(saveExists());
}

TEST(Savefile, WritesReplaceWholeFilesOrFailWithFileError) {
  const TempHome home;
  const GameState saved = sampleGame();
  writeFile(home.saveFile(), "an older save");
  save(saved);
  EXPECT_EQ(readFile(home.saveFile()), marshal(toDocument(saved), SaveId));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path() / ".vh"), {}), 1);
  // A temporary file that cannot be written leaves the old files as they were.
  std::filesystem::create_directory(home.saveFile().string() + ".new");
  std::filesystem::create_directory(home.highScoreFile().string() + ".new");
  EXPECT_EQ(failureCode([] { save(GameState{{}, {}, {}, 1}); }), 1);
  EXPECT_EQ(failureCode([] { updateHighScore(HighScore{5, 1, Outcome::Lose}); }), 1);
  EXPECT_EQ(loadGame().creatures, saved.creatures);
  EXPECT_FALSE(std::filesystem::exists(home.highScoreFile()));
  setenv("HOME", (home.path() / "missing").c_str(), 1);  // TempHome puts HOME back
  EXPECT_FALSE(saveExists());
  EXPECT_EQ(failureCode([&] { save(saved); }), 1);
  EXPECT_EQ(failureCode([] { updateHighScore(HighScore{0, 1, Outcome::Lose}); }), 1);
}

TEST(HighScoreFile, FirstGameTiesLowerScoresAndDamage) {
  const TempHome home;
  EXPECT_EQ(updateHighScore(HighScore{0, 2, Outcome::Lose}), (HighScore{0, 2, Outcome::Lose}));
  EXPECT_EQ(readFile(home.highScoreFile()), "[191]U[[0][0][3][191]I[0][191]I[2][191]U[[1][0][0]]]");
  EXPECT_EQ(updateHighScore(HighScore{0, 7, Outcome::Draw}), (HighScore{0, 7, Outcome::Draw}));
  EXPECT_EQ(updateHighScore(HighScore{1060, 20, Outcome::Win}), (HighScore{1060, 20, Outcome::Win}));
  const std::string best = readFile(home.highScoreFile());
  EXPECT_EQ(best, "[191]U[[0][0][3][191]I[1060][191]I[20][191]U[[1][2][0]]]");
  EXPECT_EQ(updateHighScore(HighScore{1059, 30, Outcome::Win}), (HighScore{1060, 20, Outcome::Win}));
  EXPECT_EQ(readFile(home.highScoreFile()), best);

  const std::vector<std::pair<std::string, int>> damaged = {
      {marshal(toDocument(sampleGame()), SaveId), 253},
      {"[191]I[5]", 251},
      {"[191]U[[0][0][3][191]I[1060][191]I[20][191]U[[1][3][0]]]", 251},
      {"[191]U[[0][0][3][191]S[[4]1060][191]I[20][191]U[[1][2][0]]]", 251},
  };
  for (const auto& [text, code] : damaged) {
    writeFile(home.highScoreFile(), text);
    EXPECT_EQ(failureCode([] { updateHighScore(HighScore{9999, 1, Outcome::Win}); }), code) << text.substr(0, 60);
  }
}

}  // namespace
}  // namespace vh
