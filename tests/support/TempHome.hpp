// Test support for the game's files: a fresh HOME for the life of a test, so the game's files
// never touch the developer's own, and helpers to read and write files and to name the error an
// action raises.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "screen/Util.hpp"

namespace vh {

class TempHome {
 public:
  TempHome() {
    if (const char* home = std::getenv("HOME")) previous_ = home;
    path_ = mkdtemp((std::filesystem::temp_directory_path() / "vh-home-XXXXXX").string().data());
    setenv("HOME", path_.c_str(), 1);
  }
  ~TempHome() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    previous_ ? setenv("HOME", previous_->c_str(), 1) : unsetenv("HOME");
  }

  std::filesystem::path saveFile() const { return path_ / ".vh" / "vardenholt.sav"; }
  std::filesystem::path highScoreFile() const { return path_ / ".vh" / "vardenholt.hs"; }

 private:
  std::filesystem::path path_;
  std::optional<std::string> previous_;
};

inline std::string readFile(const std::filesystem::path& path) {
  return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// Lowers the file size limit for one scope, as a full disk would stop a write; the signal such a
// write raises is ignored as long.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : signalAction_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, signalAction_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  void (*signalAction_)(int);
  rlimit saved_{};
};

// "code: message" of the GameError that action() raises, or "" when it raises none.
template <typename Action>
std::string failureOf(Action action) try {
  action();
  return "";
} catch (const GameError& error) {
  return std::to_string(error.code()) + ": " + error.what();
}

}  // namespace vh
