#include <gtest/gtest.h>

#include <optional>

#include "save/Savefile.hpp"
#include "support/Golden.hpp"
#include "support/TempHome.hpp"

using namespace vh;

// A real saved game and a real high score, each damaged in one place, read the way the game reads
// them: each fails with the error that names the damage and stays as it was. The damaged files are
// kept among the fuzz regressions, which the sanitizer run replays; those at the size limit are
// made here instead.
TEST(DamagedFiles, FailWithTheErrorThatNamesTheDamageAndStay) {
  const TempHome home;
  const std::string fuzz = VARDENHOLT_FUZZ_DATA;
  const std::string save = readFile(fuzz + "/corpus/saved-area-1.sav");
  const std::string score = readFile(fuzz + "/corpus/high-score-win.hs");
  constexpr std::size_t Limit = 16 << 20;
  const std::string player = "[372]U[[6788][0][6][372]I[1][372]I[5]";
  std::string counts;  // the six capture counts, none yet
  for (int i = 0; i < 6; ++i) counts += "[372]I[0]";
  const std::string end = "[372]S[[4]pawn]]][372]I[1]]";
  const std::string top = "[191]U[[0][0][3][191]I[1060]";
  const struct {
    const char* name;
    std::string from;               // the first place of this text in the file
    std::optional<std::string> to;  // what it becomes; none when the file ends there
    std::string error;
    std::size_t size = 0;  // blanks added after the value up to this size
  } rows[] = {
      {"saved-game-empty.sav", save, std::nullopt, "254: Invalid int to unmarshall : "},
      {"saved-game-cut-short.sav", "[372]I[59][372]I[19]]", std::nullopt,
       "254: Invalid int to unmarshall : "},
      {"saved-game-missing-bracket.sav", end, "[372]S[[4]pawn]]][372]I1]]",
       "254: Invalid int to unmarshall : 1]]"},
      {"saved-game-wrong-id.sav", "[372]", "[191]", "253: Invalid unmarshalling id"},
      {"saved-game-unknown-item.sav", "[372]I[59]", "[372]F[59]",
       "254: Invalid value to unmarshall"},
      {"saved-game-string-past-the-end.sav", end, "[372]S[[40]pawn]]][372]I[1]]",
       "254: Invalid string to unmarshall"},
      {"saved-game-number-out-of-range.sav", "[372]I[59]", "[372]I[4294967355]",
       "254: Invalid int to unmarshall : number out of range"},
      {"saved-game-reference-out-of-order.sav", "[372]U[[6788]", "[372]U[[6787]",
       "252: Invalid reference number to unmarshall"},
      {"saved-game-back-reference-ahead.sav", "[372]U[[6792][0][3]", "[372]C[99999]",
       "253: Invalid circular structure"},
      {"saved-game-an-integer.sav", "[372]U[[0][0][4]", "[372]I[0]",
       "251: Invalid saved game: saved game is not a record"},
      {"saved-game-wrong-tag.sav", "[372]U[[0][0][4]", "[372]U[[0][1][4]",
       "251: Invalid saved game: saved game has the wrong shape"},
      {"saved-game-short-record.sav", "[6789][0][6]" + counts, "[6789][0][5]" + counts.substr(9),
       "251: Invalid saved game: captures has the wrong shape"},
      {"saved-game-integer-for-a-name.sav", "[372]S[[4]pawn]", "[372]I[4]",
       "251: Invalid saved game: piece name is not a string"},
      {"saved-game-string-for-a-number.sav", player, "[372]U[[6788][0][6][372]I[1][372]S[[1]5]",
       "251: Invalid saved game: x is not an integer"},
      {"saved-game-unknown-colour.sav", "[372]U[[6793][3][0]]", "[372]U[[6793][8][0]]",
       "251: Invalid saved game: unknown colour"},
      {"saved-game-map-too-narrow.sav", "[372]I[59][372]I[19]]", "[372]I[58][372]I[19]]",
       "251: Invalid saved game: the map is not 59 x 19"},
      {"saved-game-king-in-the-wall.sav", player, "[372]U[[6788][0][6][372]I[1][372]I[1]",
       "251: Invalid saved game: the King does not stand on a clear cell"},
      {"saved-game-too-many-captures.sav", "[6789][0][6][372]I[0]", "[6789][0][6][372]I[1000001]",
       "251: Invalid saved game: capture count is out of range"},
      {"saved-game-two-black-kings.sav", "[372]I[0]][372]S[[0]]", "[372]I[2]][372]S[[0]]",
       "251: Invalid saved game: Black King count is out of range"},
      {"saved-game-pieces-on-one-cell.sav", "[372]I[22][372]I[10]", "[372]I[52][372]I[13]",
       "251: Invalid saved game: two pieces share a cell"},
      {"saved-game-area-0.sav", end, "[372]S[[4]pawn]]][372]I[0]]",
       "251: Invalid saved game: area is out of range"},
      {"saved-game-at-the-size-limit.sav", "", "", "", Limit},
      {"saved-game-above-the-size-limit.sav", "", "", "1: File Error: %: too large", Limit + 1},
      {"high-score-saved-game-id.hs", "[191]", "[372]", "253: Invalid unmarshalling id"},
      {"high-score-missing-bracket.hs", "[191]I[20]", "[191]I20]",
       "254: Invalid int to unmarshall : 20][191]U[[1][2][0]]]"},
      {"high-score-wrong-tag.hs", top, "[191]U[[0][1][3][191]I[1060]",
       "251: Invalid high score: high score has the wrong shape"},
      {"high-score-short-record.hs", top, "[191]U[[0][0][2][191]I[1060]",
       "251: Invalid high score: high score has the wrong shape"},
      {"high-score-string-for-the-score.hs", "[191]I[1060]", "[191]S[[4]1060]",
       "251: Invalid high score: score is not an integer"},
      {"high-score-unknown-outcome.hs", "[191]U[[1][2][0]]", "[191]U[[1][3][0]]",
       "251: Invalid high score: unknown outcome"},
      {"high-score-integer-for-the-outcome.hs", "[191]U[[1][2][0]]", "[191]I[2]",
       "251: Invalid high score: outcome is not a record"},
      {"high-score-at-the-size-limit.hs", "", "", "", Limit},
      {"high-score-above-the-size-limit.hs", "", "", "1: File Error: %: too large", Limit + 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const bool saved = std::string_view(row.name).starts_with("saved-game");
    std::string text = saved ? save : score;
    const std::size_t at = text.find(row.from);
    ASSERT_NE(at, std::string::npos);
    row.to ? text.replace(at, row.from.size(), *row.to) : text.erase(at);
    if (row.size) text.resize(row.size, ' ');
    const auto file = saved ? home.saveFile() : home.highScoreFile();
    writeFile(file, text);
    std::string error = row.error;
    if (error.find('%') != std::string::npos) error.replace(error.find('%'), 1, file.string());
    EXPECT_EQ(failureOf([&] {
                saved ? (void)loadGame() : (void)updateHighScore(HighScore{1, 1, Outcome::Win});
              }),
              error);
    if (row.size) continue;
    EXPECT_TRUE(readFile(file) == text) << "the damaged file was changed";
    const std::string regression = fuzz + "/regressions/" + row.name;
    if (golden::updating()) writeFile(regression, text);
    EXPECT_TRUE(readFile(regression) == text) << "the regression file is not the damaged file";
  }
}
