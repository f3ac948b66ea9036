// The game's two files, in the directory .vh under HOME: one saved game and the high score.
#pragma once

#include <string>

#include "save/Savedata.hpp"

namespace vh {

// The unmarshalling ids of the two files; they keep one file from being read as the other.
inline constexpr int SaveId = 372;
inline constexpr int HighScoreId = 191;

// HOME (or "." when HOME is unset or empty) followed by "/.vh/", unless useSaveDir() chose
// another folder.
std::string SaveDir();
// Keeps the game's files in `folder` (ending in '/') from now on; the empty text goes back to the
// folder under HOME. Replays use it, so that they never touch the player's own files.
void useSaveDir(std::string folder);
std::string SaveName();
std::string HighscoreName();

// Every operation below first makes the save directory (mode 0700) when it is missing, and
// refuses ("File Error", code 1) a directory that another user owns or every user may write to.

// Whether a saved game exists; false when the save directory cannot be made.
bool saveExists();
// Reads the saved game and, once it has been read and checked, deletes the file.
GameState loadGame();
// Writes the saved game. The new file replaces the old one only once it is complete, so a failed
// save ("File Error", code 1, with the path and the system's reason) leaves the previous save as
// it was.
void saveGame(const Map& map, const Player& player, const CreatureList& creatures, int level);
// Records a finished game when it scores at least as much as the stored one, and returns the
// high score that now stands.
HighScore updateHighScore(const HighScore& latest);

}  // namespace vh
