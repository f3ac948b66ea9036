// The save folder as the game uses it: checked before anything is read or written there, and
// files in it that no one else can redirect. Reads never follow a link or block on a FIFO; writes
// go to a fresh private file that then replaces the target whole.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Creates the folder (mode 0700) unless it exists, and opens it. Empty, with errno saying why, when
// it cannot be made or opened; raises "File Error" when it belongs to another user or every user
// may write to it.
std::optional<Folder> openFolder(const std::string& path);

// Whether the folder holds an entry of that name, of any kind.
bool holds(const Folder& folder, const std::string& name);

// The whole content of a regular file of at most maxSize bytes; "File Error" otherwise.
std::string readEntry(const Folder& folder, const std::string& name, std::size_t maxSize);

// The whole content of the regular file at a path of the user's choosing, of at most maxSize
// bytes; "File Error" otherwise, also for a FIFO or device, which is never waited on.
std::string readPath(const std::string& path, std::size_t maxSize);

// A regular file at a path of the user's choosing, read a piece at a time; closed when it goes
// out of scope.
class ReadFile {
 public:
  // Opens it; "File Error" for anything but a regular file, a FIFO or device included, which is
  // never waited on.
  explicit ReadFile(const std::string& path);
  ~ReadFile();
  ReadFile(const ReadFile&) = delete;
  ReadFile& operator=(const ReadFile&) = delete;

  // Fills the buffer with up to `size` bytes and returns how many; 0 at the end of the file.
  std::size_t read(char* buffer, std::size_t size);

 private:
  int descriptor_;
  std::string path_;
};

// Replaces the file with text: written and synced under a fresh name, then renamed over it.
// On failure ("File Error") the old file is left as it was and nothing else stays behind.
void replaceEntry(const Folder& folder, const std::string& name, const std::string& text);

// Deletes the file; a failure is ignored.
void removeEntry(const Folder& folder, const std::string& name);

// The names of the folder's entries, "." and ".." aside.
std::vector<std::string> entriesOf(const Folder& folder);

// When the entry was last written (a link's own time, not its target's); empty when it is gone.
std::optional<timespec> modifiedAt(const Folder& folder, const std::string& name);

// A file open for appending; closed when it goes out of scope.
class AppendFile {
 public:
  explicit AppendFile(int descriptor) : descriptor_(descriptor) {}
  ~AppendFile();
  AppendFile(AppendFile&& other) noexcept;
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;
  AppendFile& operator=(AppendFile&& other) noexcept;

  // Adds the text at the end in a single write, so that lines of writers sharing the file never
  // interleave; false, with nothing added, when it did not all go in.
  bool append(std::string_view text) const;

 private:
  int descriptor_;
};

// A new private file of that name, never one that exists; empty when it cannot be made.
std::optional<AppendFile> createEntry(const Folder& folder, const std::string& name);

// The file of that name for appending, made private when missing; empty when it cannot be opened
// or is not a plain file.
std::optional<AppendFile> appendEntry(const Folder& folder, const std::string& name);

// The "File Error" of a path, with the system's reason.
[[noreturn]] void fileError(const std::string& path, const std::string& reason);
[[noreturn]] void fileError(const std::string& path, int error);

}  // namespace vh
