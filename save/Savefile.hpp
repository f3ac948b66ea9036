// The game's two files, in the directory .vh under HOME: one saved game and the high score.
#pragma once

#include <string>

#include "save/Savedata.hpp"

namespace vh {

// The unmarshalling ids of the two files; they keep one file from being read as the other.
inline constexpr int SaveId = 372;
inline constexpr int HighScoreId = 191;

// HOME (or "." when HOME is unset or empty) followed by "/.vh/".
std::string SaveDir();
std::string SaveName();
std::string HighscoreName();

// Creates the save directory when it does not exist; a failure is ignored.
void makeSaveDir();
// Whether a saved game exists.
bool saveExists();
// Reads the saved game and, once it has been read and checked, deletes the file.
GameState loadGame();
// Writes the saved game. The new file replaces the old one only once it is complete, so a failed
// save ("File Error", code 1) leaves the previous save as it was.
void saveGame(const Map& map, const Player& player, const CreatureList& creatures, int level);
// Records a finished game when it scores at least as much as the stored one, and returns the
// high score that now stands.
HighScore updateHighScore(const HighScore& latest);

}  // namespace vh
