// tarnwick-plan's simulator buttons against the substitute X-Plane, tarnwick-simstub --xplane,
// on a free UDP port of 127.0.0.1 named in TARNWICK_XPLANE_ADDRESS, with no IPC server in a
// private directory unless a case starts one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "PlanProgramRun.h"
#include "StubProcess.h"
#include "TemporaryDirectory.h"
#include "simlink/SystemXPlanePort.h"
#include "tests/shared/SimulatorFigures.h"

namespace tarnwick {
namespace {

using testing::ElementsAre;
using testing::StartsWith;

const std::string kPayloadReadInPounds =
    "Payload weight read as " + std::string(figures::kPayloadShownInPounds) + " pounds.";
const std::string kPayloadReadInKilograms =
    "Payload weight read as " + std::string(figures::kPayloadShownInKilograms) + " kilograms.";
const std::string kNoSimulator =
    "FSUIPC connection failure: Cannot link to FSUIPC or WideClient\r\n\r\nEnsure that Flight "
    "Simulator is running.";

class XPlaneProgramTest : public testing::Test {
 protected:
  std::string Address() const { return "127.0.0.1:" + std::to_string(xplanePort); }

  // The substitute X-Plane, once it holds its port: from then on what is sent to it waits for
  // it.
  std::unique_ptr<StubProcess> StartXPlane(std::vector<std::string> options) {
    options.insert(options.begin(), {"--xplane", "--port", std::to_string(xplanePort)});
    auto stub = std::make_unique<StubProcess>(temporary.Path() / "xplane.log", options);
    EXPECT_TRUE(stub->WaitUntilServing()) << testing::PrintToString(stub->ErrorLines());
    return stub;
  }
  static std::vector<std::string> MessageTexts(const nlohmann::json& report) {
    std::vector<std::string> texts;
    for (const auto& message : report["messages"]) texts.push_back(message["text"]);
    return texts;
  }

  TemporaryDirectory temporary;
  // A port that was free a moment ago.
  std::uint16_t xplanePort =
      MakeSystemXPlanePort()->OpenSocket({kLoopbackAddress, 0})->LocalEndpoint().port;
  // No IPC server in a private directory (a Windows build has no use for it).
  ScopedEnvironmentVariable ipcDir{"TARNWICK_IPC_DIR", (temporary.Path() / "ipc").string()};
  ScopedEnvironmentVariable xplaneAddress{"TARNWICK_XPLANE_ADDRESS", Address()};
};

TEST_F(XPlaneProgramTest, PayloadIsReadInEitherUnit) {
  const auto xplane = StartXPlane({"--payload-kg", figures::kXPlanePayloadKg});
  const auto pounds = RunPlanProgramJson({"--select", "cboUnits=0", "--click", "cmdReadPayload"});
  EXPECT_THAT(MessageTexts(pounds), ElementsAre(kPayloadReadInPounds));
  EXPECT_EQ(pounds["controls"]["txtPayload"]["text"], figures::kPayloadShownInPounds);
  const auto kilograms =
      RunPlanProgramJson({"--select", "cboUnits=1", "--click", "cmdReadPayload"});
  EXPECT_THAT(MessageTexts(kilograms), ElementsAre(kPayloadReadInKilograms));
  EXPECT_EQ(xplane->Stop(), 0) << "the substitute ends cleanly when stopped";
}

TEST_F(XPlaneProgramTest, BoardingSetsBothTanksLeftFirst) {
  const auto xplane = StartXPlane({});
  const auto report = RunPlanProgramJson(
      {"--select", "cboUnits=1", "--set", "txtTaxiFuel=1000", "--click", "cmdBoardFuel"});
  EXPECT_THAT(MessageTexts(report), ElementsAre("The fuel was successfully boarded."));
  xplane->Stop();
  const std::vector<std::string> log = xplane->LogLines();
  ASSERT_EQ(log.size(), 2u);
  const std::string leftPrefix = "dref sim/flightmodel/weight/m_fuel[0] ";
  EXPECT_THAT(log[0], StartsWith(leftPrefix));
  const std::string kilograms = log[0].substr(leftPrefix.size());
  EXPECT_EQ(log[1], "dref sim/flightmodel/weight/m_fuel[1] " + kilograms);
  const std::string shown = report["controls"]["txtLeftTank"]["text"];  // "1234 Kgs."
  EXPECT_NEAR(std::stod(kilograms), std::stod(shown), 0.5);
}

TEST_F(XPlaneProgramTest, FuelThatDoesNotStayIsAFailedWrite) {
  const auto xplane = StartXPlane({"--ignore-writes"});
  const auto report = RunPlanProgramJson({"--click", "cmdBoardFuel"});
  EXPECT_THAT(MessageTexts(report), ElementsAre("Variable write failed!"));
  EXPECT_EQ(report["messages"][0]["title"], "Error");
  EXPECT_EQ(report["messages"][0]["style"], 0);
  xplane->Stop();
  for (const std::string& line : xplane->LogLines()) {
    EXPECT_THAT(line, StartsWith("dref sim/flightmodel/weight/m_fuel[0] ")) << "never the right";
  }
}

TEST_F(XPlaneProgramTest, SilentOrAbsentXPlaneIsTheConnectionFailure) {
  const auto absent = RunPlanProgramJson({"--click", "cmdReadPayload"});
  EXPECT_THAT(MessageTexts(absent), ElementsAre(kNoSimulator));
  EXPECT_EQ(absent["messages"][0]["title"], "Error!");
  EXPECT_EQ(absent["messages"][0]["style"], 16);

  const auto xplane = StartXPlane({"--silent"});
  const auto silent = RunPlanProgramJson({"--click", "cmdBoardFuel"});
  EXPECT_THAT(MessageTexts(silent), ElementsAre(kNoSimulator));
}

TEST_F(XPlaneProgramTest, IpcServerTakesPrecedence) {
  const auto xplane = StartXPlane({"--payload-kg", "100"});
  StubProcess ipcServer(temporary.Path() / "ipc.log",
                        {"--zfw-lbs", figures::kStubZeroFuelWeightLbs});
  ASSERT_TRUE(ipcServer.WaitUntilServing());
  const auto report = RunPlanProgramJson({"--select", "cboUnits=0", "--click", "cmdReadPayload"});
  EXPECT_THAT(MessageTexts(report), ElementsAre(kPayloadReadInPounds));
}

}  // namespace
}  // namespace tarnwick
