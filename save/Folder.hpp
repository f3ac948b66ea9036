// The save folder as the game uses it: checked before anything is read or written there, and
// files in it that no one else can redirect. Reads never follow a link or block on a FIFO; writes
// go to a fresh private file that then replaces the target whole.
#pragma once

#include <optional>
#include <string>

namespace vh {

// An open, checked folder; closed when it goes out of scope.
class Folder {
 public:
  Folder(int descriptor, std::string path) : descriptor_(descriptor), path_(std::move(path)) {}
  ~Folder();
  Folder(Folder&& other) noexcept;
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  Folder& operator=(Folder&&) = delete;

  int descriptor() const { return descriptor_; }
  const std::string& path() const { return path_; }

 private:
  int descriptor_;
  std::string path_;
};

// Creates the folder (mode 0700) unless it exists, and opens it. Empty when it cannot be made or
// opened; raises "File Error" when it belongs to another user or every user may write to it.
std::optional<Folder> openFolder(const std::string& path);

// Whether the folder holds an entry of that name, of any kind.
bool holds(const Folder& folder, const std::string& name);

// The whole content of a regular file of at most maxSize bytes; "File Error" otherwise.
std::string readEntry(const Folder& folder, const std::string& name, std::size_t maxSize);

// Replaces the file with text: written and synced under a fresh name, then renamed over it.
// On failure ("File Error") the old file is left as it was and nothing else stays behind.
void replaceEntry(const Folder& folder, const std::string& name, const std::string& text);

// Deletes the file; a failure is ignored.
void removeEntry(const Folder& folder, const std::string& name);

// The "File Error" of a path, with the system's reason.
[[noreturn]] void fileError(const std::string& path, const std::string& reason);
[[noreturn]] void fileError(const std::string& path, int error);

}  // namespace vh
