// A run of tarnwick-plan in process on a system of stand-ins: what it asks of the system and
// when, and the exit statuses that only a system can cause (a settings file that cannot be
// written, a URL the system refuses).
#include <gtest/gtest.h>

#include <sstream>

#include "apps/tarnwick-plan/RunPlan.h"
#include "simstub/FakeIpcPort.h"

namespace tarnwick {
namespace {

struct StandIns {
  bool storeWritable = true;
  bool urlsAccepted = true;
  std::vector<std::string> storesOpened;
  int saves = 0;
  int openingsStarted = 0;
  std::vector<std::string> urlsOffered;
};

class StandInStoreFile final : public PlanStoreFile {
 public:
  explicit StandInStoreFile(StandIns& standIns) : standIns_(standIns) {}
  SettingsStore& Store() override { return store_; }
  bool Save() override {
    ++standIns_.saves;
    return standIns_.storeWritable;
  }

 private:
  StandIns& standIns_;
  InMemorySettingsStore store_;
};

class StandInOpening final : public PlanUrlOpening, public UrlOpener {
 public:
  explicit StandInOpening(StandIns& standIns) : standIns_(standIns) {}
  UrlOpener& Opener() override { return *this; }
  bool Open(const std::string& url) override {
    standIns_.urlsOffered.push_back(url);
    return standIns_.urlsAccepted;
  }

 private:
  StandIns& standIns_;
};

class StandInSystem final : public PlanSystem {
 public:
  NumberFormat Format() override { return {.groupSeparator = ",", .decimalSeparator = "."}; }
  std::unique_ptr<PlanStoreFile> OpenStoreFile(const std::string& path) override {
    standIns.storesOpened.push_back(path);
    return std::make_unique<StandInStoreFile>(standIns);
  }
  std::unique_ptr<PlanUrlOpening> StartUrlOpening() override {
    ++standIns.openingsStarted;
    return std::make_unique<StandInOpening>(standIns);
  }
  std::unique_ptr<IpcPort> MakeIpcPort() override { return std::make_unique<FakeIpcPort>(); }

  StandIns standIns;
};

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

RunResult RunOn(StandInSystem& system, const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunPlan(arguments, out, err, system);
  return {status, out.str(), err.str()};
}

TEST(RunPlan, SettingsFileThatCannotBeWrittenGivesStatusOneAfterThePlan) {
  StandInSystem system;
  system.standIns.storeWritable = false;
  const RunResult run = RunOn(system, {"--store", "plan.ini", "--set", "chkIcing=1"});
  EXPECT_EQ(run.status, kPlanExitStoreNotWritten);
  EXPECT_NE(run.out.find("Icing"), std::string::npos) << run.out;
  EXPECT_EQ(run.err, "tarnwick-plan: could not write the settings file plan.ini\n");
  EXPECT_EQ(system.standIns.storesOpened, std::vector<std::string>{"plan.ini"});
  EXPECT_EQ(system.standIns.saves, 1);
}

TEST(RunPlan, UrlsGoToTheSystemOnlyWithOpenAndARefusalGivesStatusThree) {
  StandInSystem recording;
  EXPECT_EQ(RunOn(recording, {"--click", "cmdPrint"}).status, kPlanExitMade);
  EXPECT_EQ(recording.standIns.openingsStarted, 0);

  StandInSystem refusing;
  refusing.standIns.urlsAccepted = false;
  const RunResult run = RunOn(refusing, {"--click", "cmdPrint", "--open", "--json"});
  EXPECT_EQ(run.status, kPlanExitUrlRefused);
  ASSERT_EQ(refusing.standIns.urlsOffered.size(), 1U);
  const std::string& url = refusing.standIns.urlsOffered.front();
  EXPECT_EQ(run.err, "tarnwick-plan: the system did not open " + url + "\n");
  EXPECT_NE(run.out.find(url), std::string::npos) << "the plan lists the URL all the same";
}

TEST(RunPlan, RefusedArgumentsWriteNothingAndOpenNothing) {
  StandInSystem system;
  const RunResult run = RunOn(system, {"--store", "plan.ini", "--open", "--click", "cmdPrint",
                                       "--click", "cmdExit", "--select", "cboUnits=0"});
  EXPECT_EQ(run.status, kPlanExitBadArguments);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(system.standIns.saves, 0);
  EXPECT_TRUE(system.standIns.urlsOffered.empty());
}

TEST(RunPlan, SimulatorButtonsReachTheSimulatorThroughTheSystemsPort) {
  StandInSystem system;
  const RunResult run = RunOn(system, {"--select", "cboUnits=1", "--click", "cmdReadPayload"});
  EXPECT_EQ(run.status, kPlanExitMade);
  EXPECT_NE(run.out.find("Payload weight read as"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("FSUIPC connection failure"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tarnwick
