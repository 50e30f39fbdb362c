// tarnwick-plan built without Qt (as on Windows) has no settings file, so --store is refused as a
// bad argument, and it groups digits with "," instead of the user's locale separator.
#include <gtest/gtest.h>

#include <filesystem>

#include "PlanProgramRun.h"
#include "TemporaryDirectory.h"

namespace tarnwick {
namespace {

TEST(PlanWithoutStoreFile, StoreOptionIsRefusedAndNoFileIsWritten) {
  const TemporaryDirectory directory;
  const std::filesystem::path storePath = directory.Path() / "settings.ini";
  const PlanProgramResult result =
      RunPlanProgram({"--store", storePath.string(), "--type", "txtPayload=1000"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("--store is not available in this build"), std::string::npos)
      << result.err;
  EXPECT_FALSE(std::filesystem::exists(storePath));
}

TEST(PlanWithoutStoreFile, NumbersAreGroupedWithCommas) {
  const nlohmann::json messages =
      RunPlanProgramJson({"--click", "cmdOperatingLimits"}).at("messages");
  ASSERT_EQ(messages.size(), 1U);
  const std::string text = messages[0].at("text");
  EXPECT_NE(text.find("Basic Operating Weight: 13,500 Kgs."), std::string::npos) << text;
}

}  // namespace
}  // namespace tarnwick
