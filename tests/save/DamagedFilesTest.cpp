#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "save/Savefile.hpp"
#include "support/Golden.hpp"
#include "support/TempHome.hpp"

using namespace vh;

// The table of tests/data/damaged-files.txt: a real saved game and a real high score, each damaged
// in one place and read the way the game reads it, fail with the error that names the damage, and
// the damaged file stays as it was. The damaged files are kept among the fuzz regressions, which
// the sanitizer run replays; the table regenerates them with the golden screens.
TEST(DamagedFiles, FailWithTheErrorThatNamesTheDamageAndStay) {
  const TempHome home;
  const std::string fuzz = VARDENHOLT_FUZZ_DATA;
  std::istringstream table(readFile(VARDENHOLT_TEST_DATA "/damaged-files.txt"));
  int rows = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> field;
    for (std::size_t at = 0, bar = 0; bar != std::string::npos; at = bar + 3) {
      bar = line.find(" | ", at);
      field.push_back(line.substr(at, bar - at));
    }
    ASSERT_EQ(field.size(), 4U) << line;
    const std::string &name = field[0], &from = field[1], &to = field[2];
    SCOPED_TRACE(name);
    ++rows;
    const bool saved = name.starts_with("saved-game");
    std::string text =
        readFile(fuzz + (saved ? "/corpus/saved-area-1.sav" : "/corpus/high-score-win.hs"));
    const bool padded = to.ends_with(" bytes>");
    if (padded) {
      text.resize(std::stoul(to.substr(1)), ' ');
    } else {
      const std::size_t at = text.find(from);
      ASSERT_NE(at, std::string::npos);
      text.replace(at, from.size(), to);
      if (to.ends_with("<end>")) text.resize(at + to.size() - 5);
    }
    const auto file = saved ? home.saveFile() : home.highScoreFile();
    writeFile(file, text);
    std::string error = field[3] == "<read>" ? "" : field[3];
    if (error.find('%') != std::string::npos) error.replace(error.find('%'), 1, file.string());
    std::optional<GameState> read;
    EXPECT_EQ(failureOf([&] {
                saved ? (void)(read = loadGame()) : (void)updateHighScore({1, 1, Outcome::Win});
              }),
              error);
    if (padded) continue;
    if (read) saveGame(read->map, read->player, read->creatures, read->level);
    EXPECT_TRUE(readFile(file) == text) << "the file was changed on its way in or back out";
    const std::string regression = fuzz + "/regressions/" + name;
    if (golden::updating()) writeFile(regression, text);
    EXPECT_TRUE(readFile(regression) == text) << "the regression file is not the damaged file";
  }
  EXPECT_EQ(rows, 37);
}
