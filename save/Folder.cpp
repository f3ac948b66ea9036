#include "save/Folder.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <tuple>
#include <utility>

#include "screen/Util.hpp"

namespace vh {
namespace {

// Keeps the descriptor open only as long as the scope that opened it.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting whether everything written reached the file.
  bool closeNow() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

// Another user's folder, or one that anyone may write to, lets others plant or swap files.
void checkOwnership(const std::string& path, const struct stat& folder, const struct stat& link) {
  const uid_t me = geteuid();
  if (S_ISLNK(link.st_mode) && link.st_uid != me && link.st_uid != 0) {
    fileError(path, "the save folder is a link made by another user");
  }
  if (folder.st_uid != me) fileError(path, "the save folder belongs to another user");
  if ((folder.st_mode & S_IWOTH) != 0) fileError(path, "every user can write to the save folder");
}

std::string temporaryName(const std::string& name) {
  static std::mt19937 random{std::random_device{}()};
  return name + "." + std::to_string(getpid()) + "." + std::to_string(random() % 1'000'000'000);
}

bool writeAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

}  // namespace

Folder::~Folder() {
  if (descriptor_ >= 0) close(descriptor_);
}

Folder::Folder(Folder&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), path_(std::move(other.path_)) {}

void fileError(const std::string& path, const std::string& reason) {
  throw GameError("File Error: " + path + ": " + reason, FileErrorCode);
}

void fileError(const std::string& path, int error) { fileError(path, std::strerror(error)); }

std::optional<Folder> openFolder(const std::string& path) {
  mkdir(path.c_str(), 0700);
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat target {
  }, link{};
  std::string linkPath = path;
  while (linkPath.size() > 1 && linkPath.back() == '/') linkPath.pop_back();
  if (fstat(fd, &target) != 0 || lstat(linkPath.c_str(), &link) != 0) {
    const int error = errno;  // the caller's reason, which closing must not replace
    close(fd);
    errno = error;
    return std::nullopt;
  }
  Folder folder(fd, path);
  checkOwnership(path, target, link);
  return folder;
}

bool holds(const Folder& folder, const std::string& name) {
  struct stat entry {};
  return fstatat(folder.descriptor(), name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) == 0;
}

namespace {

// Reads an open file whole, named `path` in errors.
std::string readOpened(const Descriptor& file, const std::string& path, std::size_t maxSize) {
  if (file.get() < 0) fileError(path, errno);
  struct stat entry {};
  if (fstat(file.get(), &entry) != 0) fileError(path, errno);
  if (!S_ISREG(entry.st_mode)) fileError(path, "not a regular file");
  if (static_cast<std::uintmax_t>(entry.st_size) > maxSize) fileError(path, "too large");
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(file.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) fileError(path, errno);
    if (got == 0) return text;
    text.append(buffer, static_cast<std::size_t>(got));
    if (text.size() > maxSize) fileError(path, "too large");
  }
}

}  // namespace

std::string readEntry(const Folder& folder, const std::string& name, std::size_t maxSize) {
  const Descriptor file(
      openat(folder.descriptor(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  return readOpened(file, folder.path() + name, maxSize);
}

std::string readPath(const std::string& path, std::size_t maxSize) {
  const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  return readOpened(file, path, maxSize);
}

ReadFile::ReadFile(const std::string& path)
    : descriptor_(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)), path_(path) {
  if (descriptor_ < 0) fileError(path, errno);
  struct stat entry {};
  if (fstat(descriptor_, &entry) != 0 || !S_ISREG(entry.st_mode)) {
    const int error = errno;
    close(descriptor_);
    entry.st_mode == 0 ? fileError(path, error) : fileError(path, "not a regular file");
  }
}

ReadFile::~ReadFile() { close(descriptor_); }

std::size_t ReadFile::read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(descriptor_, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) fileError(path_, errno);
  }
}

void replaceEntry(const Folder& folder, const std::string& name, const std::string& text) {
  const int dir = folder.descriptor();
  const std::string path = folder.path() + name;
  std::string temporary;
  int fd = -1;
  // A fresh name each time: whatever already stands in the folder is never opened.
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temporary = temporaryName(name);
    fd = openat(dir, temporary.c_str(),
                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) fileError(path, errno);
  }
  if (fd < 0) fileError(path, EEXIST);
  Descriptor file(fd);
  const bool written = writeAll(fd, text) && fsync(fd) == 0;
  const int writeError = errno;
  if (!written || !file.closeNow() || renameat(dir, temporary.c_str(), dir, name.c_str()) != 0) {
    const int error = written ? errno : writeError;
    unlinkat(dir, temporary.c_str(), 0);
    fileError(path, error);
  }
  fsync(dir);  // the rename itself survives a crash
}

void removeEntry(const Folder& folder, const std::string& name) {
  unlinkat(folder.descriptor(), name.c_str(), 0);
}

std::vector<std::string> entriesOf(const Folder& folder) {
  std::vector<std::string> names;
  const int fd = openat(folder.descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return names;
  DIR* listing = fdopendir(fd);
  if (listing == nullptr) {
    close(fd);
    return names;
  }
  while (const dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(listing);
  return names;
}

std::optional<timespec> modifiedAt(const Folder& folder, const std::string& name) {
  struct stat entry {};
  if (fstatat(folder.descriptor(), name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) return {};
  return entry.st_mtim;
}

AppendFile::~AppendFile() {
  if (descriptor_ >= 0) close(descriptor_);
}

AppendFile::AppendFile(AppendFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

AppendFile& AppendFile::operator=(AppendFile&& other) noexcept {
  std::swap(descriptor_, other.descriptor_);
  return *this;
}

bool AppendFile::append(std::string_view text) const {
  for (;;) {
    const ssize_t wrote = write(descriptor_, text.data(), text.size());
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote == static_cast<ssize_t>(text.size())) return true;
    // A line written in part would spoil every line appended after it: the part is taken back.
    const off_t end = wrote > 0 ? lseek(descriptor_, 0, SEEK_CUR) : -1;
    if (end >= wrote) std::ignore = ftruncate(descriptor_, end - wrote);
    return false;
  }
}

std::optional<AppendFile> createEntry(const Folder& folder, const std::string& name) {
  const int fd =
      openat(folder.descriptor(), name.c_str(),
             O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  if (fd < 0) return std::nullopt;
  return AppendFile(fd);
}

std::optional<AppendFile> appendEntry(const Folder& folder, const std::string& name) {
  const int fd = openat(folder.descriptor(), name.c_str(),
                        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  if (fd < 0) return std::nullopt;
  AppendFile file(fd);
  struct stat entry {};
  if (fstat(fd, &entry) != 0 || !S_ISREG(entry.st_mode)) return std::nullopt;
  return file;
}

}  // namespace vh
