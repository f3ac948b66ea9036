#include "record/Listing.hpp"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "record/Daily.hpp"
#include "record/Gamelog.hpp"
#include "record/Recorder.hpp"
#include "support/TempHome.hpp"

namespace vh {
namespace {

namespace fs = std::filesystem;
const fs::path Data = VARDENHOLT_TEST_DATA;

// A recording put in the folder as written at `second` past the epoch.
void place(const fs::path& folder, const std::string& name, const std::string& text, long second) {
  writeFile(folder / name, text);
  const timespec times[2] = {{second, 0}, {second, 0}};
  utimensat(AT_FDCWD, (folder / name).c_str(), times, 0);
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> found;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    found.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return found;
}

}  // namespace

// The list runs newest first by when each was written, whatever its name says; a recording that
// cannot be read has a line saying why, and the others are listed as they are; other files are
// passed over. A name from the list finds its recording, with or without ".vhr".
TEST(Listing, RecordingsNewestFirstTheDamagedSayingWhy) {
  const TempHome home;
  const fs::path folder = fs::path(recordingsDir());
  fs::create_directories(folder);
  fs::permissions(folder.parent_path(), fs::perms::owner_all, fs::perm_options::replace);
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
  const std::string won = readFile(Data / "corpus" / "fresh-1-1.vhr");
  const std::string saved = readFile(Data / "long-game.vhr");
  place(folder, "20261201-100000-7-1.vhr", won, 3000);
  place(folder, "20261209-100000-7-1.vhr", saved, 1000);  // a clock that ran ahead
  place(folder, "20261203-100000-7-1.vhr", won.substr(0, 200), 2000);
  place(folder, "20261204-100000-7-1.vhr", won.substr(0, won.rfind("result")), 4000);
  place(folder, "notes.txt", "not a recording", 5000);

  const auto openFiles = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
  const auto filesBefore = openFiles();
  const std::vector<std::string> table = lines(recordingsTable(recordingsDir()));
  EXPECT_EQ(openFiles(), filesBefore) << "the listing leaves no file open";
  ASSERT_EQ(table.size(), 5U);
  EXPECT_EQ(table[0], "Name                   Began            Seed       Ending     Area  Score  Turns");
  EXPECT_EQ(table[1],
            "20261204-100000-7-1    2026-01-01 00:00 7919       unfinished    -      -      -");
  EXPECT_EQ(table[2],
            "20261201-100000-7-1    2026-01-01 00:00 7919       lose          1      0     39");
  EXPECT_EQ(table[3], "20261203-100000-7-1: cannot be read: 260: Invalid recording: it ends "
                      "inside generator");
  EXPECT_EQ(table[4],
            "20261209-100000-7-1    2026-12-07 23:38 -          saved        21    926   1001");

  EXPECT_EQ(recordingPath("20261201-100000-7-1"), recordingsDir() + "20261201-100000-7-1.vhr");
  EXPECT_EQ(recordingPath("20261201-100000-7-1.vhr"), recordingsDir() + "20261201-100000-7-1.vhr");
  EXPECT_EQ(recordingPath("notes"), "notes") << "not a recording's name";
  EXPECT_EQ(recordingPath("./20261201-100000-7-1"), "./20261201-100000-7-1") << "a path stays";
  EXPECT_EQ(recordingPath(""), "");
}

// The game of the day is the day's date in UTC; a game is its day's game when its seed is the
// date it began on, which the log says and the best games mark.
TEST(Daily, TheSeedIsTheDateInUtcAndItsGamesAreMarked) {
  EXPECT_EQ(dailySeed(0), 19700101U);
  EXPECT_EQ(dailySeed(1798761599), 20261231U);  // the last second of 2026
  EXPECT_EQ(dailySeed(1798761600), 20270101U);
  EXPECT_EQ(dailySeed(951782400), 20000229U);
  EXPECT_TRUE(isDailyGame(20261208U, "2026-12-08T23:59:59Z"));
  EXPECT_FALSE(isDailyGame(20261208U, "2026-12-09T00:00:00Z"));
  EXPECT_FALSE(isDailyGame(std::nullopt, "2026-12-08T10:00:00Z"));
  EXPECT_FALSE(isDailyGame(20261208U, "2026-12-0"));
  EXPECT_FALSE(isDailyGame(20261208U, "2026+12-08T00:00:00Z"));

  const GameSummary lost{Ending::Lose, 3, 300, {}, 9, 0};
  const LogEntry daily{"1.2.0", "2026-12-08T10:00:00Z", "2026-12-08T10:10:00Z", 20261208U, lost,
                       "a.vhr"};
  LogEntry other = daily;
  other.seed = 42;
  other.summary.score = 500;
  EXPECT_TRUE(logLine(daily).ends_with("\trecording=a.vhr\tdaily=yes\n"));
  EXPECT_EQ(logLine(other).find("daily"), std::string::npos);
  EXPECT_EQ(readLog(logLine(daily)).at(0).seed, 20261208U) << "the line reads back";

  const std::string all = bestGamesTable({daily, other});
  EXPECT_NE(all.find("  20261208*   a.vhr\n"), std::string::npos) << all;
  EXPECT_TRUE(all.ends_with("\n* the game of the day, the same for every player that day "
                            "(--daily)\n"));
  EXPECT_EQ(bestGamesTable({other}).find('*'), std::string::npos);
  const std::string today = bestGamesTable({daily, other}, 20261208U);
  EXPECT_EQ(lines(today).size(), 3U) << today;
  EXPECT_EQ(bestGamesTable({daily, other}, 20261209U), "No games of the day yet.\n");
}

}  // namespace vh
