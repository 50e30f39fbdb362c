// The main of the window tests: each test program runs under its own throw-away configuration
// and runtime folders, so that the settings file it writes is its own, and with a QApplication
// alive for every test. Listing the tests needs neither.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "ui/qt/PlannerStyle.h"

namespace {

std::filesystem::path MakePrivateDirectory(const std::string& purpose) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / ("tarnwick-" + purpose + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  return pattern;  // mkdtemp makes it 0700, as Qt wants of a runtime folder
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();

  const std::filesystem::path config = MakePrivateDirectory("config");
  const std::filesystem::path runtime = MakePrivateDirectory("runtime");
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  int result = 1;
  {
    QApplication application(argc, argv);
    tarnwick::ApplyPlannerStyle(application);
    result = RUN_ALL_TESTS();
  }
  std::filesystem::remove_all(config);
  std::filesystem::remove_all(runtime);
  return result;
}
