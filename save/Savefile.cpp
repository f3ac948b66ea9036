#include "save/Savefile.hpp"

#include <cstdlib>

#include "save/Folder.hpp"
#include "save/Marshal.hpp"
#include "save/Records.hpp"

namespace vh {
namespace {

// A real saved game is about 150 KB; anything far larger is not one of ours.
constexpr std::size_t MaxFileSize = 16 * 1024 * 1024;

std::string chosenFolder;

const std::string SaveEntry = "vardenholt.sav";
const std::string HighScoreEntry = "vardenholt.hs";

// The save folder, ready for a file to be read or written there.
Folder folderForFiles() {
  std::optional<Folder> folder = openFolder(SaveDir());
  if (!folder) fileError(SaveDir(), errno);
  return std::move(*folder);
}

}  // namespace

void useSaveDir(std::string folder) { chosenFolder = std::move(folder); }

std::string SaveDir() {
  if (!chosenFolder.empty()) return chosenFolder;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr && *home != '\0' ? home : ".") + "/.vh/";
}

std::string SaveName() { return SaveDir() + SaveEntry; }

std::string HighscoreName() { return SaveDir() + HighScoreEntry; }

bool saveExists() {
  const std::optional<Folder> folder = openFolder(SaveDir());
  return folder && holds(*folder, SaveEntry);
}

GameState loadGame() {
  const Folder folder = folderForFiles();
  GameState state = gameStateFrom(unmarshal(readEntry(folder, SaveEntry, MaxFileSize), SaveId));
  removeEntry(folder, SaveEntry);
  return state;
}

void saveGame(const Map& map, const Player& player, const CreatureList& creatures, int level) {
  const std::string text = marshal(toDocument(GameState{map, player, creatures, level}), SaveId);
  replaceEntry(folderForFiles(), SaveEntry, text);
}

HighScore updateHighScore(const HighScore& latest) {
  const Folder folder = folderForFiles();
  const HighScore stored =
      holds(folder, HighScoreEntry)
          ? highScoreFrom(unmarshal(readEntry(folder, HighScoreEntry, MaxFileSize), HighScoreId))
          : HighScore{0, 0, Outcome::Lose};
  if (latest.score < stored.score) return stored;
  replaceEntry(folder, HighScoreEntry, marshal(toDocument(latest), HighScoreId));
  return latest;
}

}  // namespace vh
