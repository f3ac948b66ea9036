// Where a game keeps its saved game and its high score: the save folder for play, or memory for a
// replay, which must never touch the player's own files.
#pragma once

#include <functional>
#include <map>
#include <string>

namespace vh {

// The names of the game's two files in a store.
inline const std::string SaveEntry = "vardenholt.sav";
inline const std::string HighScoreEntry = "vardenholt.hs";
// A real saved game is about 150 KB; anything far larger is not one of ours.
inline constexpr std::size_t MaxGameFileSize = 16 * 1024 * 1024;

class Store {
 public:
  virtual ~Store() = default;
  // Whether a file of that name exists; false when the store cannot be used at all.
  virtual bool holds(const std::string& name) = 0;
  // The whole file, of at most maxSize bytes; "File Error" when it cannot be read.
  virtual std::string read(const std::string& name, std::size_t maxSize) = 0;
  // Replaces the file whole; on "File Error" the old one is left as it was.
  virtual void replace(const std::string& name, const std::string& text) = 0;
  // Deletes the file; a failure is ignored.
  virtual void remove(const std::string& name) = 0;
};

// The save folder (SaveDir()), checked again at every use.
class FolderStore final : public Store {
 public:
  bool holds(const std::string& name) override;
  std::string read(const std::string& name, std::size_t maxSize) override;
  void replace(const std::string& name, const std::string& text) override;
  void remove(const std::string& name) override;
};

// Files held in memory. Before each write `beforeWrite` may raise the error that the write is to
// fail with, which leaves the file as it was.
class MemoryStore final : public Store {
 public:
  using WriteCheck = std::function<void(const std::string& name, const std::string& text)>;
  explicit MemoryStore(std::map<std::string, std::string> files, WriteCheck beforeWrite = {})
      : files_(std::move(files)), beforeWrite_(std::move(beforeWrite)) {}

  const std::map<std::string, std::string>& files() const { return files_; }
  // Puts these files in place of all it holds.
  void replaceAll(std::map<std::string, std::string> files) { files_ = std::move(files); }

  bool holds(const std::string& name) override { return files_.contains(name); }
  std::string read(const std::string& name, std::size_t maxSize) override;
  void replace(const std::string& name, const std::string& text) override;
  void remove(const std::string& name) override { files_.erase(name); }

 private:
  std::map<std::string, std::string> files_;
  WriteCheck beforeWrite_;
};

}  // namespace vh
