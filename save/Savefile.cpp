#include "save/Savefile.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "save/Marshal.hpp"
#include "save/Records.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

// A real saved game is about 150 KB; anything far larger is not one of ours.
constexpr std::uintmax_t MaxFileSize = 16 * 1024 * 1024;

[[noreturn]] void fileError() { throw GameError("File Error", 1); }

std::string readWholeFile(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > MaxFileSize) fileError();
  std::ifstream in(path, std::ios::binary);
  if (!in) fileError();
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) fileError();
  return text;
}

// Writes beside the target and renames over it, so the target is always either the old file or
// the complete new one.
void replaceFile(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".new";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) fileError();
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                       std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    fileError();
  }
}

}  // namespace

std::string SaveDir() {
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr && *home != '\0' ? home : ".") + "/.vh/";
}

std::string SaveName() { return SaveDir() + "vardenholt.sav"; }

std::string HighscoreName() { return SaveDir() + "vardenholt.hs"; }

void makeSaveDir() {
  std::error_code ignored;
  if (std::filesystem::exists(SaveDir(), ignored)) return;
  std::filesystem::create_directory(SaveDir(), ignored);
}

bool saveExists() {
  makeSaveDir();
  std::error_code ignored;
  return std::filesystem::exists(SaveName(), ignored);
}

GameState loadGame() {
  makeSaveDir();
  GameState state = gameStateFrom(unmarshal(readWholeFile(SaveName()), SaveId));
  std::error_code ignored;
  std::filesystem::remove(SaveName(), ignored);
  return state;
}

void saveGame(const Map& map, const Player& player, const CreatureList& creatures, int level) {
  const std::string text = marshal(toDocument(GameState{map, player, creatures, level}), SaveId);
  makeSaveDir();
  replaceFile(SaveName(), text);
}

HighScore updateHighScore(const HighScore& latest) {
  makeSaveDir();
  std::error_code ignored;
  const HighScore stored =
      std::filesystem::exists(HighscoreName(), ignored)
          ? highScoreFrom(unmarshal(readWholeFile(HighscoreName()), HighScoreId))
          : HighScore{0, 0, Outcome::Lose};
  if (latest.score < stored.score) return stored;
  replaceFile(HighscoreName(), marshal(toDocument(latest), HighScoreId));
  return latest;
}

}  // namespace vh
