#include "save/Savefile.hpp"

#include <cstdlib>
#include <utility>

#include "save/Marshal.hpp"
#include "save/Records.hpp"

namespace vh {
namespace {

FolderStore saveFolder;
Store* chosenStore = &saveFolder;

}  // namespace

UsingStore::UsingStore(Store& store) : previous_(std::exchange(chosenStore, &store)) {}

UsingStore::~UsingStore() { chosenStore = previous_; }

Store& gameStore() { return *chosenStore; }

std::string SaveDir() {
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr && *home != '\0' ? home : ".") + "/.vh/";
}

std::string SaveName() { return SaveDir() + SaveEntry; }

std::string HighscoreName() { return SaveDir() + HighScoreEntry; }

bool saveExists() { return chosenStore->holds(SaveEntry); }

GameState loadGame() {
  return gameStateFrom(unmarshal(chosenStore->read(SaveEntry, MaxGameFileSize), SaveId));
}

std::string savedGameText(const Map& map, const Player& player, const CreatureList& creatures,
                          int level) {
  return marshal(toDocument(GameState{map, player, creatures, level}), SaveId);
}

void saveGame(const Map& map, const Player& player, const CreatureList& creatures, int level) {
  chosenStore->replace(SaveEntry, savedGameText(map, player, creatures, level));
}

HighScoreUpdate highScoreAfter(const HighScore& latest) {
  Store& store = *chosenStore;
  const HighScore stored =
      store.holds(HighScoreEntry)
          ? highScoreFrom(unmarshal(store.read(HighScoreEntry, MaxGameFileSize), HighScoreId))
          : HighScore{0, 0, Outcome::Lose};
  if (latest.score < stored.score) return HighScoreUpdate{stored, std::nullopt};
  return HighScoreUpdate{latest, marshal(toDocument(latest), HighScoreId)};
}

HighScore updateHighScore(const HighScore& latest) {
  const HighScoreUpdate update = highScoreAfter(latest);
  if (update.text) chosenStore->replace(HighScoreEntry, *update.text);
  return update.standing;
}

}  // namespace vh
