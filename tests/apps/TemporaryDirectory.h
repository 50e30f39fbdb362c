#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace tarnwick {

// A fresh directory under the system's temporary directory, removed with all it holds.
class TemporaryDirectory {
 public:
  TemporaryDirectory() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    // A name that already exists is not taken: create_directory says so, and another is tried.
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::filesystem::path candidate = std::filesystem::temp_directory_path() /
                                              ("tarnwick-" + std::to_string(random() % 1000000000));
      if (std::filesystem::create_directory(candidate)) {
        std::filesystem::permissions(candidate, std::filesystem::perms::owner_all);
        path_ = candidate;
        return;
      }
    }
    throw std::runtime_error("cannot make a temporary directory");
  }
  ~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tarnwick
