// Points HOME at a fresh temporary directory for the life of a test, so the game's files never
// touch the developer's own.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace vh {

class TempHome {
 public:
  TempHome() {
    if (const char* home = std::getenv("HOME")) previous_ = home;
    std::string pattern = (std::filesystem::temp_directory_path() / "vh-home-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    setenv("HOME", path_.c_str(), 1);
  }
  ~TempHome() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    if (previous_) {
      setenv("HOME", previous_->c_str(), 1);
    } else {
      unsetenv("HOME");
    }
  }
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path saveFile() const { return path_ / ".vh" / "vardenholt.sav"; }
  std::filesystem::path highScoreFile() const { return path_ / ".vh" / "vardenholt.hs"; }

 private:
  std::filesystem::path path_;
  std::optional<std::string> previous_;
};

}  // namespace vh
