// tarnwick-plan's simulator buttons against the real substitute simulator, tarnwick-simstub,
// over the stand-in transport in a private directory.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "PlanProgramRun.h"
#include "StubProcess.h"
#include "TemporaryDirectory.h"
#include "simlink/StandInTransport.h"
#include "tests/shared/SimulatorFigures.h"

namespace tarnwick {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;

class SimulatorProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("TARNWICK_IPC_DIR", IpcDir().c_str(), 1);
    // Where no IPC server is found, X-Plane is looked for at the discard port, where none is.
    setenv("TARNWICK_XPLANE_ADDRESS", "127.0.0.1:9", 1);
  }
  void TearDown() override {
    unsetenv("TARNWICK_IPC_DIR");
    unsetenv("TARNWICK_XPLANE_ADDRESS");
  }
  std::filesystem::path IpcDir() const { return temporary.Path() / "ipc"; }
  std::unique_ptr<StubProcess> StartStub(std::vector<std::string> options,
                                         const std::string& windowClass = "UIPCMAIN") {
    auto stub = std::make_unique<StubProcess>(temporary.Path() / "stub.log", std::move(options));
    EXPECT_TRUE(WaitForStubWindow(IpcDir(), windowClass));
    return stub;
  }
  static std::string OnlyMessage(const nlohmann::json& report) {
    EXPECT_EQ(report["messages"].size(), 1u) << report["messages"];
    return report["messages"].empty() ? "" : report["messages"][0]["text"].get<std::string>();
  }

  TemporaryDirectory temporary;
};

TEST_F(SimulatorProgramTest, PayloadIsReadInEitherUnit) {
  const auto stub = StartStub({"--zfw-lbs", figures::kStubZeroFuelWeightLbs});
  const auto pounds = RunPlanProgramJson({"--select", "cboUnits=0", "--click", "cmdReadPayload"});
  EXPECT_EQ(OnlyMessage(pounds),
            "Payload weight read as " + std::string(figures::kPayloadShownInPounds) + " pounds.");
  EXPECT_EQ(pounds["controls"]["txtPayload"]["text"], figures::kPayloadShownInPounds);
  const auto kilograms =
      RunPlanProgramJson({"--select", "cboUnits=1", "--click", "cmdReadPayload"});
  EXPECT_EQ(
      OnlyMessage(kilograms),
      "Payload weight read as " + std::string(figures::kPayloadShownInKilograms) + " kilograms.");
  EXPECT_EQ(stub->Stop(), 0) << "the stub ends cleanly on SIGTERM";
  EXPECT_FALSE(std::filesystem::exists(IpcDir() / "UIPCMAIN")) << "and removes its socket";
}

TEST_F(SimulatorProgramTest, BoardingWritesBothTanksLeftFirst) {
  const auto stub = StartStub({});
  const auto report = RunPlanProgramJson(
      {"--select", "cboUnits=1", "--set", "txtTaxiFuel=1000", "--click", "cmdBoardFuel"});
  EXPECT_EQ(OnlyMessage(report), "The fuel was successfully boarded.");
  stub->Stop();
  const std::vector<std::string> log = stub->LogLines();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "write 0x330A size 2 value 0");  // the handshake's client word
  const std::string tankKg = report["controls"]["txtLeftTank"]["text"];
  const long level = std::stol(log[1].substr(log[1].rfind(' ') + 1));
  EXPECT_THAT(log[1], testing::StartsWith("write 0x0B7C size 4 value "));
  EXPECT_EQ(log[2], "write 0x0B94 size 4 value " + std::to_string(level));
  // The shown tank figure is rounded to a kilogram, which is 3301 level steps at most.
  EXPECT_NEAR(static_cast<double>(level),
              std::stod(tankKg) / figures::kTankCapacityKg * figures::kFullTankLevel, 1651.0);
}

TEST_F(SimulatorProgramTest, FailuresToConnectNameTheirCause) {
  const auto noServer = RunPlanProgramJson({"--click", "cmdReadPayload"});
  EXPECT_THAT(OnlyMessage(noServer), HasSubstr("Cannot link to FSUIPC or WideClient"));
  EXPECT_EQ(noServer["messages"][0]["title"], "Error!");

  const auto stub =
      StartStub({"--class", "FS98MAIN", "--fsuipc-version", "0x19980004"}, "FS98MAIN");
  const auto wrongVersion = RunPlanProgramJson({"--click", "cmdBoardFuel"});
  EXPECT_EQ(OnlyMessage(wrongVersion),
            "FSUIPC connection failure: Maybe running on WideClient, but FS not running on "
            "Server, or wrong FSUIPC\r\n\r\nEnsure that Flight Simulator is running.");
}

TEST_F(SimulatorProgramTest, SecondStubOnTheSamePathIsRefused) {
  const auto stub = StartStub({});
  StubProcess second(temporary.Path() / "second.log", {});
  EXPECT_EQ(second.Wait(), 1);
}

// Eleven sends of 2 s each: this case takes about 23 s.
TEST_F(SimulatorProgramTest, ServerThatNeverAnswersFailsAfterTheRetries) {
  const auto stub = StartStub({"--hang"});
  const auto report = RunPlanProgramJson({"--click", "cmdReadPayload"});
  EXPECT_THAT(OnlyMessage(report), HasSubstr("IPC timed out all retries"));
}

}  // namespace
}  // namespace tarnwick
