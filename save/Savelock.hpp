// One game per save folder at a time: an advisory lock on a file in the save folder, held from
// the start of a run to its end. The system drops it when the process ends, however it ends, so a
// crash never leaves a stale lock behind.
#pragma once

#include <optional>

#include "save/Folder.hpp"
#include "screen/Util.hpp"

namespace vh {

// Raised when another process holds the lock; the message names the folder and that process.
inline constexpr int AlreadyRunningCode = 2;

// Holds the lock while it lives; an empty one holds nothing.
class SaveLock {
 public:
  SaveLock() = default;
  explicit SaveLock(int descriptor) : descriptor_(descriptor) {}
  ~SaveLock();
  SaveLock(SaveLock&& other) noexcept;
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;
  SaveLock& operator=(SaveLock&& other) noexcept;

  bool held() const { return descriptor_ >= 0; }

 private:
  int descriptor_ = -1;
};

// Takes the lock of the save folder. Raises AlreadyRunningCode when another game holds it, and
// "File Error" for a folder the game must not use. When the folder cannot be made or opened, or
// the lock file cannot be made, there is nothing on disk to protect and the lock is empty.
SaveLock lockSaveFolder();

}  // namespace vh
