// tarnwick-plan with --store: the INI file is read at load and written at unload.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PlanProgramRun.h"
#include "PlanStoreFixture.h"

namespace tarnwick {
namespace {

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

}  // namespace
}  // namespace tarnwick
