#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "TemporaryDirectory.h"

namespace tarnwick {

// The value of key in the file's lines "key=value".
inline std::optional<std::string> IniValue(const std::filesystem::path& path,
                                           const std::string& key) {
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    if (line.starts_with(key + "=")) return line.substr(key.size() + 1);
  }
  return std::nullopt;
}

inline std::string Contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class PlanStore : public testing::Test {
 protected:
  std::string StorePath() const { return (directory_.Path() / "settings.ini").string(); }
  std::size_t FilesInDirectory() const {
    const std::filesystem::directory_iterator files(directory_.Path());
    return static_cast<std::size_t>(std::distance(begin(files), end(files)));
  }

 private:
  TemporaryDirectory directory_;
};

}  // namespace tarnwick
