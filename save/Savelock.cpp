#include "save/Savelock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "save/Savefile.hpp"

namespace vh {
namespace {

const std::string LockEntry = "vardenholt.lock";

// The process id the holder wrote into the lock file, or 0 when it cannot be read.
long holderOf(int fd) {
  char text[32] = {};
  if (pread(fd, text, sizeof text - 1, 0) <= 0) return 0;
  char* end = nullptr;
  const long pid = std::strtol(text, &end, 10);
  return end != text && pid > 0 ? pid : 0;
}

[[noreturn]] void alreadyRunning(const std::string& folder, long holder) {
  std::string message = "a game is already running from " + folder;
  if (holder > 0) message += " (process " + std::to_string(holder) + ")";
  throw GameError(message, AlreadyRunningCode);
}

[[noreturn]] void cannotLock(const std::string& folder, const std::string& reason) {
  throw GameError("cannot lock " + folder + ": " + reason, CannotLockCode);
}

[[noreturn]] void cannotLock(const std::string& folder, int error) {
  cannotLock(folder, std::strerror(error));
}

// Whether anything, a link to nowhere included, stands where the folder would be made.
bool anythingAt(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  struct stat entry {};
  return lstat(path.c_str(), &entry) == 0;
}

}  // namespace

SaveLock::~SaveLock() {
  if (descriptor_ >= 0) close(descriptor_);
}

SaveLock::SaveLock(SaveLock&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

SaveLock& SaveLock::operator=(SaveLock&& other) noexcept {
  std::swap(descriptor_, other.descriptor_);
  return *this;
}

SaveLock lockSaveFolder() {
  const std::string path = SaveDir();
  const std::optional<Folder> folder = openFolder(path);
  if (!folder) {
    const int error = errno;
    // No folder could be made, so no game can keep anything there.
    if (!anythingAt(path)) return SaveLock();
    cannotLock(path, error);
  }
  const int fd = openat(folder->descriptor(), LockEntry.c_str(),
                        O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  if (fd < 0) cannotLock(path, errno);
  SaveLock lock(fd);
  struct stat entry {};
  if (fstat(fd, &entry) != 0) cannotLock(path, errno);
  if (!S_ISREG(entry.st_mode)) cannotLock(path, LockEntry + " is not a regular file");
  // Root opens anyone's file: one that another user planted is not ours to lock with.
  if (entry.st_uid != geteuid()) cannotLock(path, LockEntry + " belongs to another user");
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) alreadyRunning(path, holderOf(fd));
    cannotLock(path, errno);  // ENOLCK, say, where the file system has no lock service
  }
  const std::string pid = std::to_string(getpid()) + "\n";
  if (ftruncate(fd, 0) == 0) {
    [[maybe_unused]] const ssize_t ignored = pwrite(fd, pid.data(), pid.size(), 0);
  }
  return lock;
}

}  // namespace vh
