// tarnwick-plan with --store: the INI file is read at load and written at unload.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "PlanProgramRun.h"
#include "TemporaryDirectory.h"

namespace tarnwick {
namespace {

// The value of key in the file's lines "key=value".
std::optional<std::string> IniValue(const std::filesystem::path& path, const std::string& key) {
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    if (line.starts_with(key + "=")) return line.substr(key.size() + 1);
  }
  return std::nullopt;
}

std::string Contents(const std::filesystem::path& path) {
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

TEST_F(PlanStore, PayloadIsKeptInKilogramsAndShownAgainInTheStoredUnit) {
  const PlanProgramResult first = RunPlanProgram(
      {"--store", StorePath(), "--select", "cboUnits=0", "--type", "txtPayload=1000"});
  ASSERT_EQ(first.exitStatus, 0) << first.err;
  const double storedKg = std::stod(IniValue(StorePath(), "Payload").value_or("0"));
  EXPECT_NEAR(storedKg, 1000 / 2.204623, 1e-9 * storedKg);
  EXPECT_EQ(IniValue(StorePath(), "Units"), "0");

  const nlohmann::json second = RunPlanProgramJson({"--store", StorePath()});
  EXPECT_EQ(second["controls"]["txtPayload"]["text"], "1000");
  EXPECT_EQ(second["controls"]["cboUnits"]["text"], "Lbs.");
}

TEST_F(PlanStore, MessagesShownWhileLoadingAreReported) {
  // A stored wind of -32768 overflows the first recalculation.
  std::ofstream(StorePath()) << "[Settings]\nHeadwind=-32768\n";
  const nlohmann::json messages = RunPlanProgramJson({"--store", StorePath()}).at("messages");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0]["text"], "Invalid value entered, please enter a lower value.");
  EXPECT_EQ(messages[0]["title"], "Error");
}

TEST_F(PlanStore, UnwritableFileExitsWithOne) {
  std::filesystem::create_directory(StorePath());
  const PlanProgramResult result = RunPlanProgram({"--store", StorePath()});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.err.find("could not write the settings file"), std::string::npos);
  EXPECT_NE(result.err.find("a folder of that name is in the way"), std::string::npos)
      << result.err;
}

TEST_F(PlanStore, UnreadableFileIsSetAsideAndWrittenAnew) {
  std::ofstream(StorePath(), std::ios::binary) << "[Settings]\nUnits=0\n\xff\xfe\n[broken\n";
  const PlanProgramResult first =
      RunPlanProgram({"--store", StorePath(), "--type", "txtPayload=1000"});
  EXPECT_EQ(first.exitStatus, 0) << first.err;
  EXPECT_NE(first.err.find("tarnwick-plan: the settings file " + StorePath() +
                           " could not be read; it was moved to " + StorePath() + ".corrupt-"),
            std::string::npos)
      << first.err;
  EXPECT_EQ(IniValue(StorePath(), "Units"), "0") << "what could be read is kept";

  const PlanProgramResult second = RunPlanProgram({"--store", StorePath()});
  EXPECT_EQ(second.exitStatus, 0) << second.err;
  EXPECT_EQ(second.err, "") << "the new file reads cleanly";
}

// Refused arguments apply nothing, and that includes setting an unreadable file aside.
TEST_F(PlanStore, RefusedArgumentsLeaveAnUnreadableFileAsItIs) {
  const std::string unreadable = "[Settings]\nUnits=0\n[broken\n";
  std::ofstream(StorePath(), std::ios::binary) << unreadable;
  const PlanProgramResult result =
      RunPlanProgram({"--store", StorePath(), "--select", "cboUnits=9"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.err, "tarnwick-plan: index 9 is out of range for cboUnits: -1 to 1\n");
  EXPECT_EQ(Contents(StorePath()), unreadable);
  EXPECT_EQ(FilesInDirectory(), 1u) << "nothing was moved aside";
}

}  // namespace
}  // namespace tarnwick
