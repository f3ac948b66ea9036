#include "save/Store.hpp"

#include "save/Folder.hpp"
#include "save/Savefile.hpp"

namespace vh {
namespace {

// The save folder, ready for a file to be read or written there.
Folder saveFolder() {
  std::optional<Folder> folder = openFolder(SaveDir());
  if (!folder) fileError(SaveDir(), errno);
  return std::move(*folder);
}

}  // namespace

bool FolderStore::holds(const std::string& name) {
  const std::optional<Folder> folder = openFolder(SaveDir());
  return folder && vh::holds(*folder, name);
}

std::string FolderStore::read(const std::string& name, std::size_t maxSize) {
  return readEntry(saveFolder(), name, maxSize);
}

void FolderStore::replace(const std::string& name, const std::string& text) {
  replaceEntry(saveFolder(), name, text);
}

void FolderStore::remove(const std::string& name) {
  if (const std::optional<Folder> folder = openFolder(SaveDir())) removeEntry(*folder, name);
}

std::string MemoryStore::read(const std::string& name, std::size_t maxSize) {
  const auto found = files_.find(name);
  if (found == files_.end()) fileError(name, "No such file or directory");
  if (found->second.size() > maxSize) fileError(name, "too large");
  return found->second;
}

void MemoryStore::replace(const std::string& name, const std::string& text) {
  if (beforeWrite_) beforeWrite_(name, text);
  files_[name] = text;
}

}  // namespace vh
