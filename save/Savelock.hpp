// One game per save folder at a time: an advisory lock on a file in the save folder, held from
// the start of a run to its end. The system drops it when the process ends, however it ends, so a
// crash never leaves a stale lock behind. A lock that cannot be held stops the game: two games
// without it would overwrite each other's save.
#pragma once

#include <optional>

#include "save/Folder.hpp"
#include "screen/Util.hpp"

namespace vh {


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

// Takes the lock of the save folder. Raises AlreadyRunningCode when another game holds it,
// "File Error" for a folder the game must not use, and CannotLockCode when the folder cannot be
// opened, the lock file cannot be opened or is not a plain file of the user's, or the system
// refuses the lock. Only when the folder cannot be made is there nothing on disk to protect: the
// lock is empty then.
SaveLock lockSaveFolder();

}  // namespace vh
