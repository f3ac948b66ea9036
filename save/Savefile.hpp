// The game's two files, one saved game and the high score, in the store the game uses: the
// directory .vh under HOME unless a replay chose a store of its own.
#pragma once

#include <optional>
#include <string>

#include "save/Savedata.hpp"
#include "save/Store.hpp"

namespace vh {

// The unmarshalling ids of the two files; they keep one file from being read as the other.
inline constexpr int SaveId = 372;
inline constexpr int HighScoreId = 191;

// HOME (or "." when HOME is unset or empty) followed by "/.vh/".
std::string SaveDir();
std::string SaveName();
std::string HighscoreName();

// Keeps the game's files in `store` while it lives, then in the store used before.
class UsingStore {
 public:
  explicit UsingStore(Store& store);
  ~UsingStore();
  UsingStore(const UsingStore&) = delete;
  UsingStore& operator=(const UsingStore&) = delete;

 private:
  Store* previous_;
};

// The store the game's files are in now.
Store& gameStore();

// In the save folder, every operation below first makes the directory (mode 0700) when it is
// missing, and refuses ("File Error", code 1) a directory that another user owns or every user
// may write to.

// Whether a saved game exists; false when the save directory cannot be made.
bool saveExists();
// Reads and checks the saved game.
GameState loadGame();
// The saved game's file for a game.
std::string savedGameText(const Map& map, const Player& player, const CreatureList& creatures,
                          int level);
// Writes the saved game. The new file replaces the old one only once it is complete, so a failed
// save ("File Error", code 1, with the path and the system's reason) leaves the previous save as
// it was.
void saveGame(const Map& map, const Player& player, const CreatureList& creatures, int level);
// The high score that stands after a finished game, and the high-score file to write when the game
// scores at least as much as the stored one; raises the stored file's error.
struct HighScoreUpdate {
  HighScore standing;
  std::optional<std::string> text;
};
HighScoreUpdate highScoreAfter(const HighScore& latest);
// Records a finished game when it scores at least as much as the stored one, and returns the
// high score that now stands.
HighScore updateHighScore(const HighScore& latest);

}  // namespace vh
