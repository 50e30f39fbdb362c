// End-to-end runs of tarnwick-plan that make a plan.
#include <gtest/gtest.h>

#include <sstream>

#include "PlanProgramRun.h"

namespace tarnwick {
namespace {

constexpr int kRed = 0x0000FF;

std::string Text(const nlohmann::json& report, const std::string& control) {
  return report.at("controls").at(control).at("text").get<std::string>();
}

int Color(const nlohmann::json& report, const std::string& control) {
  return report.at("controls").at(control).at("color").get<int>();
}

// Over the limits in kilograms: landing, takeoff, ramp and total fuel, but the zero fuel
// weight sits exactly on its limit.
const std::vector<std::string> kHeavyFlight{
    "--set",    "txtPayload=7000",         "--set", "cboTripDistance=1150",
    "--set",    "cboCruisingAlt=FL250",    "--set", "txtHeadwind=80",
    "--select", "cboAlternateDistance=10", "--set", "txtHeadwindAlt=80",
    "--set",    "txtTaxiFuel=100",         "--set", "txtHoldingFuel=300",
    "--set",    "txtMinimumFuel=600"};

TEST(PlanProgram, StartsFromTheEmptyStorePlanInKilograms) {
  const nlohmann::json report = RunPlanProgramJson({});
  EXPECT_EQ(Text(report, "txtGTOW"), "13739");
  EXPECT_EQ(Text(report, "txtEnrouteFuel"), "239");
  EXPECT_EQ(Text(report, "txtRightTank"), "120 Kgs.");
  EXPECT_EQ(Text(report, "txtLeftTank"), "120 Kgs.");
  EXPECT_EQ(Text(report, "lblV1"), "V1/Vr: 104");
  EXPECT_EQ(Text(report, "lblVmLB15"), "VmLB15: n/a");
  EXPECT_EQ(Text(report, "cboTemp"), "15");
  EXPECT_EQ(report["controls"]["cboTemp"]["index"], 75);
  EXPECT_EQ(Text(report, "txtPayload"), "");
  for (int i = 0; i < 19; ++i) {
    EXPECT_EQ(Text(report, "lblUnits(" + std::to_string(i) + ")"), "Kgs.") << i;
  }
  EXPECT_TRUE(report.at("messages").empty());
}

TEST(PlanProgram, PoundsShowTheSamePlanInPounds) {
  const nlohmann::json report = RunPlanProgramJson({"--select", "cboUnits=0"});
  EXPECT_EQ(Text(report, "txtGTOW"), "30290");
  EXPECT_EQ(Text(report, "txtEnrouteFuel"), "527");
  EXPECT_EQ(Text(report, "txtRightTank"), "264 Lbs.");
  EXPECT_EQ(Text(report, "txtLeftTank"), "264 Lbs.");
}

TEST(PlanProgram, TypedKeysPassTheDigitFilter) {
  EXPECT_EQ(Text(RunPlanProgramJson({"--type", "txtPayload=12a-3"}), "txtPayload"), "123");
}

TEST(PlanProgram, BackslashBTypesBackspace) {
  EXPECT_EQ(Text(RunPlanProgramJson({"--type", R"(txtPayload=5\b)"}), "txtPayload"), "");
  EXPECT_EQ(Text(RunPlanProgramJson({"--type", R"(txtPayload=12\b3)"}), "txtPayload"), "13");
}

TEST(PlanProgram, FiguresOverTheirLimitsTurnRed) {
  const nlohmann::json report = RunPlanProgramJson(kHeavyFlight);
  for (const char* over :
       {"txtPLW", "txtGTOW", "txtTaxiWeight", "txtTotalFuel", "txtLeftTank", "txtRightTank"}) {
    EXPECT_EQ(Color(report, over), kRed) << over;
  }
  EXPECT_EQ(Color(report, "txtZFW"), 0);
}

TEST(PlanProgram, SheetMarksTheFiguresOverTheirLimits) {
  const PlanProgramResult result = RunPlanProgram(kHeavyFlight);
  ASSERT_EQ(result.exitStatus, 0) << result.err;
  std::istringstream sheet(result.out);
  std::vector<std::string> marked;
  for (std::string line; std::getline(sheet, line);) {
    // A row is "  Label   figure unit", the label ending at the first double blank.
    if (line.find("<< over limit") != std::string::npos) {
      marked.push_back(line.substr(2, line.find("  ", 2) - 2));
    }
  }
  EXPECT_EQ(marked, (std::vector<std::string>{"Ramp", "Takeoff", "Landing", "Total", "Left tank",
                                              "Right tank"}));
}

TEST(PlanProgram, OperatingLimitsClickShowsAnInformationMessage) {
  const nlohmann::json messages =
      RunPlanProgramJson({"--click", "cmdOperatingLimits"}).at("messages");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0]["title"], "ATR 72-500 Operating Limitations");
  EXPECT_EQ(messages[0]["style"], 64);
}

TEST(PlanProgram, ActionsRunInCommandLineOrderAcrossOptions) {
  const auto payload = [](std::vector<std::string> arguments) {
    return Text(RunPlanProgramJson(arguments), "txtPayload");
  };
  EXPECT_EQ(payload({"--set", "txtPayload=1000", "--type", "txtPayload=5"}), "10005");
  EXPECT_EQ(payload({"--type", "txtPayload=5", "--set", "txtPayload=1000"}), "1000");
}

// Switching the unit reads the payload's digits again in the new unit, so a payload typed
// before the switch ends as the same figure as one typed after it.
TEST(PlanProgram, UnitSwitchKeepsThePayloadDigits) {
  const nlohmann::json typedFirst =
      RunPlanProgramJson({"--set", "txtPayload=1000", "--select", "cboUnits=0"});
  const nlohmann::json switchedFirst =
      RunPlanProgramJson({"--select", "cboUnits=0", "--set", "txtPayload=1000"});
  EXPECT_EQ(Text(typedFirst, "txtPayload"), "1000");
  EXPECT_EQ(typedFirst, switchedFirst);
}

TEST(PlanProgram, HelpIsNotAnError) {
  const PlanProgramResult result = RunPlanProgram({"--help"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_NE(result.out.find("Exit status:"), std::string::npos);
  EXPECT_EQ(result.err, "");
}

}  // namespace
}  // namespace tarnwick
