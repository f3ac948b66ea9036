#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "main/Vardenholt.hpp"
#include "random/Lfrand.hpp"
#include "save/Marshal.hpp"
#include "save/Records.hpp"
#include "save/Savefile.hpp"
#include "screen/Screen.hpp"
#include "screen/VirtualTerminal.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

// From a fixed seed: past the instructions, ask to save, wait a turn, then answer the question.
void saveInAreaOne(VirtualTerminal& terminal, char answer) {
  useTerminal(terminal);
  terminal.pressKeys(std::string(" S5") + answer);
  lfSrand(5);
}

GameState savedGame(const TempHome& home) {
  std::ifstream in(home.saveFile(), std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return gameStateFrom(unmarshal(text, SaveId));
}

// The map rows as the game draws them: living pieces over the King over the terrain.
std::vector<std::string> picture(const GameState& state) {
  std::vector<std::string> rows;
  for (int y = 1; y <= state.map.height; ++y) {
    std::string row;
    for (int x = 1; x <= state.map.width; ++x) {
      const bool king = state.player.x == x && state.player.y == y;
      row += king ? '@' : state.map.cells[x][y].terrain.look.glyph;
    }
    rows.push_back(row);
  }
  for (std::size_t i = 1; i < state.creatures.size(); ++i) {
    const Creature& c = state.creatures[i];
    if (c.alive) rows[c.y - 1][c.x - 1] = c.look.glyph;
  }
  return rows;
}

std::vector<std::string> mapRows(const VirtualTerminal& terminal) {
  std::vector<std::string> rows;
  for (int row = 0; row < 19; ++row) rows.push_back(terminal.row(row).substr(0, 59));
  return rows;
}

TEST(SaveFlow, AnsweringNoKeepsTheSaveAndTheNextRunResumesIt) {
  const TempHome home;
  VirtualTerminal terminal;
  saveInAreaOne(terminal, 'n');
  runVardenholt();
  ASSERT_TRUE(saveExists());
  EXPECT_FALSE(std::filesystem::exists(home.highScoreFile())) << "a save is not a finished game";
  const GameState saved = savedGame(home);

  terminal.pressKeys(" ");  // past the instructions; stopped at the King's first move
  lfSrand(6);
  EXPECT_THROW(runVardenholt(), KeyScriptExhausted);
  EXPECT_FALSE(saveExists());
  EXPECT_EQ(mapRows(terminal), picture(saved));
  EXPECT_EQ(terminal.row(0).substr(59), " Area: 1" + std::string(13, ' '));
}

TEST(SaveFlow, AnsweringYesResumesTheSavedAreaInTheSameRun) {
  const GameState saved = [] {
    const TempHome home;
    VirtualTerminal terminal;
    saveInAreaOne(terminal, 'n');
    runVardenholt();
    return savedGame(home);
  }();
  const TempHome home;
  VirtualTerminal terminal;
  saveInAreaOne(terminal, 'y');  // the same game, continued at once
  EXPECT_THROW(runVardenholt(), KeyScriptExhausted);
  EXPECT_FALSE(saveExists());
  EXPECT_EQ(mapRows(terminal), picture(saved));
}

TEST(SaveFlow, DamagedSaveShowsTheErrorLineThenPrintsItWhenTheTerminalIsBack) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"[191]U[[0][0][3][191]I[0][191]I[1][191]U[[1][0][0]]]", "253: Invalid unmarshalling id"},
      {"[372]I\x1b[2J", "254: Invalid int to unmarshall : ?[2J"},
  };
  for (const auto& [file, line] : cases) {
    const TempHome home;
    std::filesystem::create_directories(home.saveFile().parent_path());
    std::ofstream(home.saveFile(), std::ios::binary) << file;
    VirtualTerminal terminal;
    useTerminal(terminal);
    terminal.pressKeys(" x");  // instructions, then the key the error line waits for
    testing::internal::CaptureStdout();
    EXPECT_NO_THROW(runVardenholt());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), line + "\n");
    EXPECT_EQ(terminal.row(0), line + std::string(80 - line.size(), ' '));
    EXPECT_EQ(terminal.styleAt(0, 0), (VirtualTerminal::Style{Colour::Red, true}));
    EXPECT_EQ(terminal.row(4).substr(0, 22), "Press any key to exit.");
    EXPECT_EQ(terminal.keysLeft(), 0U);
    EXPECT_FALSE(terminal.started());
    EXPECT_TRUE(saveExists()) << "an unreadable save stays for the next start";
  }
}

}  // namespace
}  // namespace vh
