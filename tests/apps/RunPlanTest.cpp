// A whole run of tarnwick-plan in process on a platform of stand-ins: what it asks of the system
// and when, and the outcomes that only a system can cause (a URL it opens, a browser that never
// comes, a port another program holds), which the program itself cannot show in a test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "apps/platform/StandInPlatform.h"
#include "apps/tarnwick-plan/RunPlan.h"
#include "simlink/XPlanePackets.h"
#include "ui/MainWindowControls.h"

namespace tarnwick {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

RunResult RunOn(StandInPlatform& system, const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunPlan(arguments, out, err, system);
  return {status, out.str(), err.str()};
}

std::string Text(const nlohmann::json& plan, const std::string& control) {
  return plan.at("controls").at(control).at("text").get<std::string>();
}

TEST(RunPlan, UrlTheSystemOpensIsServedUntilFetchedAndExitsWithZero) {
  StandInPlatform system;
  const RunResult run =
      RunOn(system, {"--open", "--json", "--web-host", "127.0.0.1:9000", "--click", "cmdPrint"});
  EXPECT_EQ(run.status, kPlanExitMade);
  EXPECT_EQ(run.err, "");
  ASSERT_EQ(system.urlsOffered.size(), 1u);
  EXPECT_THAT(system.urlsOffered[0], StartsWith("http://127.0.0.1:9000/Tarnwick/print.php?120+"));
  EXPECT_EQ(system.sitesStarted, 1);
  const nlohmann::json plan = nlohmann::json::parse(run.out);
  EXPECT_EQ(plan.at("opened"), nlohmann::json(system.urlsOffered));
  EXPECT_TRUE(plan.at("messages").empty());
}

TEST(RunPlan, BrowserThatNeverComesIsNamedButIsNoFailure) {
  StandInPlatform system;
  system.browserFetches = false;
  const RunResult run = RunOn(system, {"--open", "--click", "cmdPrint"});
  EXPECT_EQ(run.status, kPlanExitMade);
  EXPECT_EQ(run.err,
            "tarnwick-plan: no browser fetched the print page within 30 s; it is no longer "
            "served\n");
}

TEST(RunPlan, SiteElsewhereIsNotServedHereAndItsUrlStillOpens) {
  StandInPlatform system;
  const RunResult run =
      RunOn(system, {"--open", "--web-host", "example.org:8080", "--click", "cmdPrint"});
  EXPECT_EQ(run.status, kPlanExitMade);
  EXPECT_EQ(system.sitesMade, std::vector<std::string>{"example.org:8080"});
  EXPECT_EQ(system.sitesStarted, 0);
  ASSERT_EQ(system.urlsOffered.size(), 1u);
  EXPECT_THAT(system.urlsOffered[0], StartsWith("http://example.org:8080/Tarnwick/print.php?"));
}

TEST(RunPlan, TakenPortOpensNothingAndOneLineSaysWhy) {
  StandInPlatform system;
  system.takenPorts.insert(8642);
  const RunResult run =
      RunOn(system, {"--open", "--web-host", "localhost:8642", "--click", "cmdPrint"});
  EXPECT_EQ(run.status, kPlanExitUrlRefused);
  EXPECT_TRUE(system.urlsOffered.empty());
  EXPECT_THAT(run.err, StartsWith("tarnwick-plan: The print page cannot be shown"));
  EXPECT_THAT(run.err, HasSubstr("localhost:8642"));
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

TEST(RunPlan, WithoutOpenTheSystemIsNeitherAskedToOpenNorToServe) {
  StandInPlatform system;
  const RunResult run = RunOn(system, {"--click", "cmdPrint", "--click", "cmdPrint"});
  EXPECT_EQ(run.status, kPlanExitMade);
  EXPECT_EQ(system.openingsStarted, 0);
  EXPECT_TRUE(system.sitesMade.empty());
  EXPECT_THAT(run.out, HasSubstr("Opened\n"));
}

TEST(RunPlan, SettingsSavedByOneRunAreWhereTheNextStarts) {
  StandInPlatform system;
  EXPECT_EQ(
      RunOn(system, {"--store", "plan.ini", "--select", "cboUnits=0", "--set", "txtPayload=2204"})
          .status,
      kPlanExitMade);
  EXPECT_EQ(system.files.at("plan.ini").size(), 16u);
  const nlohmann::json plan =
      nlohmann::json::parse(RunOn(system, {"--store", "plan.ini", "--json"}).out);
  EXPECT_EQ(Text(plan, "cboUnits"), "Lbs.");
  EXPECT_EQ(Text(plan, "txtPayload"), "2204");
  EXPECT_EQ(system.saves, 2);
}

TEST(RunPlan, SettingsFileInAMissingFolderGivesStatusOneAfterThePlan) {
  StandInPlatform system;
  const RunResult run = RunOn(system, {"--store", "missing/plan.ini", "--set", "chkIcing=1"});
  EXPECT_EQ(run.status, kPlanExitStoreNotWritten);
  EXPECT_THAT(run.out, HasSubstr("Icing"));
  EXPECT_EQ(run.err,
            "tarnwick-plan: The settings could not be written to missing/plan.ini: the folder "
            "cannot be written to.\n"
            "tarnwick-plan: could not write the settings file missing/plan.ini\n");
  EXPECT_FALSE(system.files.contains("missing/plan.ini"));
}

TEST(RunPlan, RefusedArgumentsLeaveTheFileAndTheSystemUntouched) {
  StandInPlatform system;
  system.files["plan.ini"][{"Tarnwick", "Settings", "Payload"}] = "4000";
  const auto before = system.files;
  const RunResult run = RunOn(system, {"--store", "plan.ini", "--open", "--click", "cmdPrint",
                                       "--click", "cmdBoardFuel", "--select", "cboUnits=7"});
  EXPECT_EQ(run.status, kPlanExitBadArguments);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(system.saves, 0);
  EXPECT_EQ(system.files, before);
  EXPECT_TRUE(system.urlsOffered.empty());
  EXPECT_EQ(system.sitesStarted, 0);
  EXPECT_TRUE(system.ipc.sent.empty());
}

// A complaint is one line even when the argument it quotes holds line breaks.
TEST(RunPlan, ComplaintsAboutArgumentsWithLineBreaksStayOneLine) {
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--js\non"},
                                                    {"--set", "cboTemp=1\r\n2"},
                                                    {"--click", "cmd\rPrint"}}) {
    StandInPlatform system;
    const RunResult run = RunOn(system, arguments);
    EXPECT_EQ(run.status, kPlanExitBadArguments);
    EXPECT_THAT(run.err, StartsWith("tarnwick-plan: "));
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_EQ(run.err.find('\r'), std::string::npos) << run.err;
  }
}

// A pasted text may hold control characters: the sheet, read on a terminal, shows none of
// them, and the URL carries them percent-encoded.
TEST(RunPlan, SheetLeavesOutControlCharacters) {
  StandInPlatform system;
  const RunResult run = RunOn(system, {"--set",
                                       "txtHeadwind=1\x1b[2J\a\r\n\x7f\xc2\x9b"
                                       "2",
                                       "--click", "cmdPrint"});
  EXPECT_EQ(run.status, kPlanExitMade);
  EXPECT_THAT(run.out, HasSubstr("Headwind: 1[2J2 kt\n"));
  EXPECT_THAT(run.out, HasSubstr("+0+1%1B%5B2J%07%0D%0A%7F%C2%9B2+15+"));
  for (std::size_t at = 0; at < run.out.size(); ++at) {
    const auto byte = static_cast<unsigned char>(run.out[at]);
    EXPECT_TRUE((byte >= 0x20 && byte != 0x7f && run.out.compare(at, 2, "\xc2\x9b") != 0) ||
                byte == '\n')
        << "byte " << at << " of\n"
        << run.out;
  }
}

TEST(RunPlan, BuildWithoutSettingsFilesRefusesStore) {
  StandInPlatform system;
  system.hasStoreFiles = false;
  const RunResult run = RunOn(system, {"--store", "plan.ini"});
  EXPECT_EQ(run.status, kPlanExitBadArguments);
  EXPECT_THAT(run.err, StartsWith("tarnwick-plan: --store is not available in this build"));
  EXPECT_EQ(run.out, "");
}

using ControlsByKind = std::map<std::string, std::set<std::string>>;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The help's "Controls:" section: each kind's label (first 15 columns) with the names after it
// on its lines, up to the blank line that ends the section.
ControlsByKind HelpControls(const std::string& help) {
  ControlsByKind kinds;
  const std::string heading = "Controls:\n";
  const std::size_t start = help.find(heading);
  if (start == std::string::npos) return kinds;
  std::istringstream lines(help.substr(start + heading.size()));
  std::string line;
  std::string kind;
  while (std::getline(lines, line) && !line.empty()) {
    const std::string label = Trimmed(line.substr(0, 15));
    if (!label.empty()) kind = label;
    std::istringstream names(line.size() > 15 ? line.substr(15) : "");
    std::string name;
    while (std::getline(names, name, ',')) {
      if (!Trimmed(name).empty()) kinds[kind].insert(Trimmed(name));
    }
  }
  return kinds;
}

bool Accepted(const std::vector<std::string>& arguments) {
  StandInPlatform system;
  return RunOn(system, arguments).status != kPlanExitBadArguments;
}

// Which controls each action takes is found by trying it on every control of the window model;
// the help must list exactly those, under the kind the action stands for.
TEST(RunPlan, HelpListsExactlyTheControlsTheActionsTake) {
  StandInPlatform system;
  const RunResult help = RunOn(system, {"--help"});
  ASSERT_EQ(help.status, kPlanExitMade);
  ControlsByKind taken;
  const MainWindowControls model;
  for (const Control* control : model.All()) {
    const std::string& name = control->Name();
    const bool list = Accepted({"--select", name + "=-1"});
    const bool inputBox = Accepted({"--type", name + "=1"});
    if (list) taken["lists"].insert(name);
    if (inputBox) taken["input boxes"].insert(name);
    if (!list && !inputBox && Accepted({"--set", name + "=0"})) taken["check boxes"].insert(name);
    if (Accepted({"--click", name})) taken["buttons"].insert(name);
  }
  EXPECT_EQ(HelpControls(help.out), taken);
  EXPECT_TRUE(taken["buttons"].contains("cmdReadPayload"));
}

// The substitute simulator starts with 40000 lb of zero fuel weight, 4644 kg of payload.
TEST(RunPlan, SimulatorButtonsReachTheSimulatorThroughTheSystemsPort) {
  StandInPlatform system;
  const nlohmann::json plan = nlohmann::json::parse(
      RunOn(system, {"--json", "--click", "cmdReadPayload", "--click", "cmdBoardFuel"}).out);
  EXPECT_EQ(Text(plan, "txtPayload"), "4644");
  ASSERT_EQ(plan.at("messages").size(), 2u);
  EXPECT_EQ(plan.at("messages")[0].at("text"), "Payload weight read as 4644 kilograms.");
  EXPECT_EQ(plan.at("messages")[1].at("text"), "The fuel was successfully boarded.");
  EXPECT_FALSE(system.ipc.sent.empty());
}

TEST(RunPlan, WithoutAnIpcServerTheButtonsReachXPlane) {
  StandInPlatform system;
  system.ipc.windowClasses.clear();
  const nlohmann::json plan =
      nlohmann::json::parse(RunOn(system, {"--json", "--click", "cmdBoardFuel"}).out);
  ASSERT_EQ(plan.at("messages").size(), 1u);
  EXPECT_EQ(plan.at("messages")[0].at("text"), "The fuel was successfully boarded.");
  EXPECT_EQ(system.xplane.drefs.size(), 2u);
}

TEST(RunPlan, SeveralXPlanesHeardAreNamedAndNoneIsUsed) {
  StandInPlatform system;
  system.ipc.windowClasses.clear();
  for (const std::uint32_t address : {0xC0A80105U, 0x0A000001U}) {
    system.xplane.beacons.push_back(
        {{address, 49707}, EncodeBeacon({1, 2, 1, 120011, 1, 49000, "sim"}), 0xEFFF0101});
  }
  const RunResult run = RunOn(system, {"--json", "--click", "cmdReadPayload"});
  const nlohmann::json plan = nlohmann::json::parse(run.out);
  ASSERT_EQ(plan.at("messages").size(), 1u);
  EXPECT_THAT(plan.at("messages")[0].at("text").get<std::string>(),
              StartsWith("FSUIPC connection failure"));
  EXPECT_EQ(run.err,
            "tarnwick-plan: more than one X-Plane announced itself (192.168.1.5:49000, "
            "10.0.0.1:49000), so none was used; set TARNWICK_XPLANE_ADDRESS to the one to use\n");
  EXPECT_TRUE(system.xplane.sent.empty());
}

TEST(RunPlan, MessagesGroupDigitsInTheSystemsFormat) {
  StandInPlatform system;
  system.format = {.groupSeparator = ".", .decimalSeparator = ","};
  const nlohmann::json plan =
      nlohmann::json::parse(RunOn(system, {"--json", "--click", "cmdOperatingLimits"}).out);
  ASSERT_EQ(plan.at("messages").size(), 1u);
  EXPECT_THAT(plan.at("messages")[0].at("text").get<std::string>(),
              HasSubstr("Basic Operating Weight: 13.500 Kgs."));
}

}  // namespace
}  // namespace tarnwick
