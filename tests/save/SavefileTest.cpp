#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "save/Records.hpp"
#include "save/Savefile.hpp"
#include "save/Savelock.hpp"
#include "support/TempHome.hpp"

using namespace vh;
namespace fs = std::filesystem;

namespace {

std::string savedArea1() { return readFile(VARDENHOLT_FUZZ_DATA "/corpus/saved-area-1.sav"); }

// Every entry of the save folder but the ones named.
std::vector<std::string> strayEntries(const fs::path& folder, std::set<std::string> expected) {
  std::vector<std::string> strays;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (!expected.contains(entry.path().filename().string()))
      strays.push_back(entry.path().filename().string());
  }
  return strays;
}

}  // namespace

TEST(Savefile, ASavedGameReadsAndWritesBackToItsOwnTextAndAFailureKeepsIt) {
  const TempHome home;
  const std::string text = savedArea1();
  // The game, its map, then the column array and the first column, each opening with the
  // placeholder 0, and cell (1, 1).
  ASSERT_EQ(text.rfind("[372]U[[0][0][4][372]U[[1][0][3][372]A[[2][372]I[0][372]A[[3][372]I[0]"
                       "[372]U[[4][0][1][372]U[[5][0][2][372]U[[6][0][3][372]I[35]",
                       0),
            0U);
  writeFile(home.saveFile(), text);
  GameState game = loadGame();
  std::filesystem::remove(home.saveFile());
  saveGame(game.map, game.player, game.creatures, game.level);
  EXPECT_EQ(readFile(home.saveFile()), text);
  EXPECT_EQ(fs::status(home.saveFile()).permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  game.creatures[3].x = game.creatures[2].x, game.creatures[3].y = game.creatures[2].y;
  writeFile(home.saveFile(), marshal(toDocument(game), SaveId));  // two pieces on one cell
  EXPECT_EQ(failureOf(loadGame).substr(0, 4), "251:");
  EXPECT_TRUE(saveExists());
}

// The folder lives under HOME, or under the current folder when HOME is unset or empty, and is
// made readable by its owner alone.
TEST(Savefile, TheSaveFolderIsUnderHomeAndMadePrivate) {
  const TempHome home;
  EXPECT_EQ(SaveName(), home.saveFile().string());
  EXPECT_EQ(HighscoreName(), home.highScoreFile().string());
  EXPECT_FALSE(saveExists());
  EXPECT_EQ(fs::status(home.saveFile().parent_path()).permissions(), fs::perms::owner_all);
  setenv("HOME", "", 1);
  EXPECT_EQ(SaveDir(), "./.vh/");
  unsetenv("HOME");
  EXPECT_EQ(SaveName(), "./.vh/vardenholt.sav");
}

// Someone who can write the save folder plants things in it, or the disk runs out: a save either
// succeeds beside them or fails with a file error, and never writes anywhere else, hangs, keeps a
// half-written file, or loses the save that was there.
TEST(Savefile, NothingPlantedInTheFolderRedirectsOrBlocksASave) {
  const GameState game = [] {
    const TempHome home;
    writeFile(home.saveFile(), savedArea1());
    return loadGame();
  }();
  const std::string saved = marshal(toDocument(game), SaveId);
  struct Attack {
    const char* what;
    std::function<void(const fs::path& folder, const fs::path& outside)> plant;
    const char* failure;  // the start of the error, or "" when the save succeeds
  };
  const std::vector<Attack> attacks = {
      {"a link where the old temporary file went",
       [](const fs::path& folder, const fs::path& outside) {
         fs::create_symlink(outside, folder / "vardenholt.sav.new");
       },
       ""},
      {"a FIFO where the old temporary file went",
       [](const fs::path& folder, const fs::path&) {
         mkfifo((folder / "vardenholt.sav.new").c_str(), 0600);
       },
       ""},
      {"stale temporary files of a crashed save",
       [](const fs::path& folder, const fs::path&) {
         for (int pid : {1, 2, static_cast<int>(getpid())}) {
           for (int n = 0; n < 3; ++n) {
             writeFile(folder / ("vardenholt.sav." + std::to_string(pid) + "." + std::to_string(n)),
                       "stale");
           }
         }
       },
       ""},
      {"the saved game itself a link to the player's file",
       [](const fs::path& folder, const fs::path& outside) {
         fs::create_symlink(outside, folder / "vardenholt.sav");
       },
       ""},
      {"a folder every user may write to",
       [](const fs::path& folder, const fs::path&) { fs::permissions(folder, fs::perms::all); },
       "1: File Error: "},
      {"the save folder a plain file",
       [](const fs::path& folder, const fs::path&) {
         fs::remove_all(folder);
         writeFile(folder, "not a folder");
       },
       "1: File Error: "},
  };
  for (const Attack& attack : attacks) {
    SCOPED_TRACE(attack.what);
    const TempHome home;
    const fs::path folder = home.saveFile().parent_path();
    const fs::path outside = home.saveFile().parent_path().parent_path() / "precious";
    writeFile(outside, "the player's own file");
    fs::create_directories(folder);
    attack.plant(folder, outside);
    const std::string failure =
        failureOf([&] { saveGame(game.map, game.player, game.creatures, game.level); });
    EXPECT_EQ(failure.substr(0, std::string(attack.failure).size()), attack.failure) << failure;
    EXPECT_EQ(readFile(outside), "the player's own file");
    if (*attack.failure == '\0') {
      EXPECT_FALSE(fs::is_symlink(home.saveFile()));
      EXPECT_EQ(readFile(home.saveFile()), saved);
    } else {
      EXPECT_FALSE(fs::is_regular_file(home.saveFile()));
    }
  }
}

TEST(Savefile, AFullDiskFailsTheSaveAndKeepsThePreviousOne) {
  const TempHome home;
  writeFile(home.saveFile(), savedArea1());
  const GameState game = loadGame();
  saveGame(game.map, game.player, game.creatures, game.level);
  const std::string previous = readFile(home.saveFile());
  {
    const FileSizeLimit limit(4096);
    EXPECT_EQ(failureOf([&] { saveGame(game.map, game.player, game.creatures, game.level + 1); }),
              "1: File Error: " + home.saveFile().string() + ": File too large");
  }
  EXPECT_EQ(readFile(home.saveFile()), previous);
  EXPECT_EQ(strayEntries(home.saveFile().parent_path(), {"vardenholt.sav"}),
            std::vector<std::string>{});
}

TEST(Savefile, ReadingRefusesWhatIsNotAPlainFileOfOurs) {
  const TempHome home;
  const fs::path folder = home.saveFile().parent_path();
  fs::create_directories(folder);
  mkfifo(home.saveFile().c_str(), 0600);  // would block a reader that waits for a writer
  EXPECT_TRUE(saveExists());
  EXPECT_EQ(failureOf(loadGame),
            "1: File Error: " + home.saveFile().string() + ": not a regular file");
  fs::remove(home.saveFile());
  writeFile(folder.parent_path() / "elsewhere", savedArea1());
  fs::create_symlink(folder.parent_path() / "elsewhere", home.saveFile());
  EXPECT_EQ(failureOf(loadGame).substr(0, 15), "1: File Error: ");
  fs::remove(home.saveFile());
  if (geteuid() == 0) {  // only root can give the folder away
    ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
    EXPECT_EQ(failureOf([] { return saveExists(); }),
              "1: File Error: " + home.saveFile().parent_path().string() +
                  "/: the save folder belongs to another user");
    // Nor may another user plant a link in its place, wherever the link points.
    fs::remove_all(folder);
    const fs::path ours = folder.parent_path() / "ours";
    fs::create_directory(ours);
    fs::permissions(ours, fs::perms::owner_all, fs::perm_options::replace);
    fs::create_directory_symlink(ours, folder);
    ASSERT_EQ(lchown(folder.c_str(), 65534, 65534), 0);
    EXPECT_EQ(failureOf([] { return saveExists(); }),
              "1: File Error: " + folder.string() + "/: the save folder is a link made by another user");
  }
}

// One game per save folder: a second is refused, naming the process that holds the folder once
// that process has written its id, and the folder is free again when the holder lets go.
TEST(SaveLock, OneGameAtATimeNamingTheHolderWhenKnown) {
  const TempHome home;
  const std::string refused = "2: a game is already running from " + SaveDir();
  {
    const SaveLock first = lockSaveFolder();
    ASSERT_TRUE(first.held());
    EXPECT_EQ(failureOf([] { lockSaveFolder(); }),
              refused + " (process " + std::to_string(getpid()) + ")");
  }
  EXPECT_TRUE(lockSaveFolder().held());
  const fs::path lockFile = home.saveFile().parent_path() / "vardenholt.lock";
  const int holder = open(lockFile.c_str(), O_RDWR | O_TRUNC);
  ASSERT_EQ(flock(holder, LOCK_EX), 0);
  EXPECT_EQ(failureOf([] { lockSaveFolder(); }), refused);
  close(holder);
}

// Whatever keeps the lock from being held refuses the game, naming the folder and why. Only
// where no save folder can be made at all, and no game can keep anything, is the lock empty.
TEST(SaveLock, ALockThatCannotBeHeldRefusesTheGame) {
  const TempHome home;
  const fs::path folder = home.saveFile().parent_path(), lockFile = folder / "vardenholt.lock";
  const std::string refused = "3: cannot lock " + SaveDir() + ": ";
  fs::create_directories(folder);
  fs::create_symlink(folder / "elsewhere", lockFile);
  EXPECT_EQ(failureOf(lockSaveFolder), refused + "Too many levels of symbolic links");
  fs::remove(lockFile);
  fs::create_directory(lockFile);
  EXPECT_EQ(failureOf(lockSaveFolder), refused + "Is a directory");
  setenv("HOME", (folder / "missing").c_str(), 1);
  EXPECT_FALSE(lockSaveFolder().held());
  setenv("HOME", lockFile.c_str(), 1);  // a save folder in a file: there is something to protect
  writeFile(lockFile / ".vh", "a file");
  EXPECT_EQ(failureOf(lockSaveFolder), "3: cannot lock " + SaveDir() + ": Not a directory");
}

TEST(HighScoreFile, FirstGameCreatesItTiesReplaceLowerScoresLeaveIt) {
  const TempHome home;
  EXPECT_EQ(updateHighScore(HighScore{0, 2, Outcome::Lose}), (HighScore{0, 2, Outcome::Lose}));
  EXPECT_EQ(readFile(home.highScoreFile()), "[191]U[[0][0][3][191]I[0][191]I[2][191]U[[1][0][0]]]");
  EXPECT_EQ(updateHighScore(HighScore{0, 7, Outcome::Draw}), (HighScore{0, 7, Outcome::Draw}));
  EXPECT_EQ(updateHighScore(HighScore{1060, 20, Outcome::Win}),
            (HighScore{1060, 20, Outcome::Win}));
  const std::string best = readFile(home.highScoreFile());
  EXPECT_EQ(best, "[191]U[[0][0][3][191]I[1060][191]I[20][191]U[[1][2][0]]]");
  EXPECT_EQ(updateHighScore(HighScore{1059, 30, Outcome::Win}),
            (HighScore{1060, 20, Outcome::Win}));
  {
    const FileSizeLimit limit(10);
    EXPECT_EQ(failureOf([] {
                updateHighScore(HighScore{9999, 1, Outcome::Win});
              }).substr(0, 15),
              "1: File Error: ");
  }
  EXPECT_EQ(readFile(home.highScoreFile()), best);
  writeFile(home.highScoreFile(), "[372]I[0]");
  EXPECT_EQ(failureOf([] {
              updateHighScore(HighScore{9999, 1, Outcome::Win});
            }),
            "253: Invalid unmarshalling id");
}
