#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

class PlanStore : public testing::Test {
 protected:
  std::string StorePath() const { return (directory_.Path() / "settings.ini").string(); }

 private:
  TemporaryDirectory directory_;
};

}  // namespace tarnwick
