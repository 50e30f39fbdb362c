// tarnwick-plan's simulator buttons against the real substitute simulator, tarnwick-simstub:
// over the stand-in transport in a private directory on POSIX, and as two Windows processes
// through the real Win32 calls (window class, registered message, atom, file mapping).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "PlanProgramRun.h"
#include "StubProcess.h"
#include "TemporaryDirectory.h"
#include "tests/shared/SimulatorFigures.h"

namespace tarnwick {
namespace {

using testing::HasSubstr;

#ifdef _WIN32
// A send that times out leaves ERROR_TIMEOUT, which is a failed send.
constexpr const char* kNoAnswerCause = "IPC sendmessage failed all retries";
#else
constexpr const char* kNoAnswerCause = "IPC timed out all retries";
#endif

class SimulatorProgramTest : public testing::Test {
 protected:
  std::filesystem::path IpcDir() const { return temporary.Path() / "ipc"; }
  std::unique_ptr<StubProcess> StartStub(std::vector<std::string> options) {
    auto stub = std::make_unique<StubProcess>(temporary.Path() / "stub.log", std::move(options));
    EXPECT_TRUE(stub->WaitUntilServing()) << testing::PrintToString(stub->ErrorLines());
    return stub;
  }
  static std::string OnlyMessage(const nlohmann::json& report) {
    EXPECT_EQ(report["messages"].size(), 1u) << report["messages"];
    return report["messages"].empty() ? "" : report["messages"][0]["text"].get<std::string>();
  }

  TemporaryDirectory temporary;
  // The stand-in transport's directory (a Windows build has no use for it).
  ScopedEnvironmentVariable ipcDir{"TARNWICK_IPC_DIR", IpcDir().string()};
  // Where no IPC server is found, X-Plane is looked for at the discard port, where none is.
  ScopedEnvironmentVariable xplaneAddress{"TARNWICK_XPLANE_ADDRESS", "127.0.0.1:9"};
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
  EXPECT_EQ(stub->Stop(), 0) << "the stub ends cleanly when stopped";
  EXPECT_FALSE(std::filesystem::exists(IpcDir() / "UIPCMAIN")) << "and removes its socket";
}

TEST_F(SimulatorProgramTest, BoardingWritesBothTanksLeftFirst) {
  const auto stub = StartStub({});
  const auto report = RunPlanProgramJson(
      {"--select", "cboUnits=1", "--set", "txtTaxiFuel=1000", "--click", "cmdBoardFuel"});
  EXPECT_EQ(OnlyMessage(report), "The fuel was successfully boarded.");
  EXPECT_EQ(stub->Stop(), 0);
  const std::vector<std::string> log = stub->LogLines();
  ASSERT_EQ(log.size(), 3u) << testing::PrintToString(log);
  EXPECT_EQ(log[0], "write 0x330A size 2 value 0");  // the handshake's client word
  const std::optional<long> level = LevelWrittenToBothTanks(log);
  ASSERT_TRUE(level.has_value()) << testing::PrintToString(log);
  const std::string tankKg = report["controls"]["txtLeftTank"]["text"];
  EXPECT_NEAR(static_cast<double>(*level), figures::TankLevelOf(std::stod(tankKg)),
              figures::kTankLevelRounding);
}

TEST_F(SimulatorProgramTest, FailuresToConnectNameTheirCause) {
  const auto noServer = RunPlanProgramJson({"--click", "cmdReadPayload"});
  EXPECT_THAT(OnlyMessage(noServer), HasSubstr("Cannot link to FSUIPC or WideClient"));
  EXPECT_EQ(noServer["messages"][0]["title"], "Error!");

  const auto stub = StartStub({"--class", "FS98MAIN", "--fsuipc-version", "0x19980004"});
  const auto wrongVersion = RunPlanProgramJson({"--click", "cmdBoardFuel"});
  EXPECT_EQ(OnlyMessage(wrongVersion),
            "FSUIPC connection failure: Maybe running on WideClient, but FS not running on "
            "Server, or wrong FSUIPC\r\n\r\nEnsure that Flight Simulator is running.");
}

TEST_F(SimulatorProgramTest, SecondStubOnTheSamePathIsRefused) {
  const auto stub = StartStub({});
  StubProcess second(temporary.Path() / "second.log", {});
  EXPECT_EQ(second.Wait(), 1);
  EXPECT_THAT(second.ErrorLines(), testing::ElementsAre(HasSubstr("UIPCMAIN")));
}

// Eleven sends of 2 s each: this case takes about 23 s.
TEST_F(SimulatorProgramTest, ServerThatNeverAnswersFailsAfterTheRetries) {
  const auto stub = StartStub({"--hang"});
  const auto report = RunPlanProgramJson({"--click", "cmdReadPayload"});
  EXPECT_THAT(OnlyMessage(report), HasSubstr(kNoAnswerCause));
  EXPECT_EQ(report["messages"].at(0)["style"], 16);
}

}  // namespace
}  // namespace tarnwick
