// tarnwick-plan's print button: the URL it records, and the real opener behind --open.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include "PlanProgramRun.h"
#include "TemporaryDirectory.h"
#include "ui/ProgramInfo.h"

namespace tarnwick {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kExampleAUrl = WebSiteBase() +
                                 "print.php?120+50+FL100+0+0+15+0+FL100+0+0+13500++13500+13739+"
                                 "13739+13500+13500++239++0++239+104+110+114+114+n/a+95+Kgs.";

std::vector<std::string> Opened(const nlohmann::json& report) {
  return report.at("opened").get<std::vector<std::string>>();
}

TEST(PlanPrint, EachClickRecordsThePrintUrlOfThePlanShownThen) {
  EXPECT_TRUE(Opened(RunPlanProgramJson({})).empty());
  const std::vector<std::string> opened =
      Opened(RunPlanProgramJson({"--click", "cmdPrint", "--select", "cboUnits=0", "--set",
                                 "chkIcing=1", "--click", "cmdPrint"}));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], kExampleAUrl);
  EXPECT_TRUE(opened[1].ends_with("+104+110+110+136+107+97+Lbs.")) << opened[1];
}

TEST(PlanPrint, SheetListsTheOpenedUrlsOnlyWhenThereAreAny) {
  EXPECT_THAT(RunPlanProgram({}).out, ::testing::Not(HasSubstr("Opened")));
  EXPECT_THAT(RunPlanProgram({"--click", "cmdPrint"}).out,
              HasSubstr("\nOpened\n  " + kExampleAUrl + "\n"));
}

// The offscreen platform has no desktop services, so the system refuses every URL: the plan
// is still printed, the refusal is named and the exit status says so.
TEST(PlanPrint, OpenReportsAUrlTheSystemRefused) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Qt's GUI session wants a private runtime folder, or it warns and makes one in /tmp.
  const TemporaryDirectory runtime;
  setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
  const PlanProgramResult result = RunPlanProgram({"--json", "--open", "--click", "cmdPrint"});
  EXPECT_EQ(result.exitStatus, 3);
  EXPECT_THAT(result.err, HasSubstr("tarnwick-plan: the system did not open " + kExampleAUrl));
  EXPECT_THAT(Opened(nlohmann::json::parse(result.out)), ElementsAre(kExampleAUrl));
}

}  // namespace
}  // namespace tarnwick
