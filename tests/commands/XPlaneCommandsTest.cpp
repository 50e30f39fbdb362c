// The simulator commands reaching X-Plane where no IPC server is found, on the fake port and
// the fake network.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "commands/SimulatorCommands.h"
#include "simlink/XPlaneDatarefs.h"
#include "simstub/FakeIpcPort.h"
#include "simstub/FakeXPlanePort.h"
#include "tests/ui/MainWindowFixture.h"

namespace tarnwick {
namespace {

using testing::ElementsAre;
using testing::Pair;

const MessageBoxContent kWriteFailed{"Variable write failed!", "Error", MessageBoxStyle::kNoIcon};
const MessageBoxContent kReadFailed{"Read failed!", "Error", MessageBoxStyle::kNoIcon};
const MessageBoxContent kBoarded{"The fuel was successfully boarded.", "Success!",
                                 MessageBoxStyle::kInformation};
const MessageBoxContent kNoSimulator{
    "FSUIPC connection failure: Cannot link to FSUIPC or WideClient\r\n\r\nEnsure that Flight "
    "Simulator is running.",
    "Error!", MessageBoxStyle::kError};

MessageBoxContent PayloadRead(const std::string& amount) {
  return {"Payload weight read as " + amount, "Success!", MessageBoxStyle::kInformation};
}

class XPlaneCommandsTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    ipcPort.windowClasses.clear();  // no IPC server
    Start();
    commands = std::make_unique<SimulatorCommands>(*window, state, link, messages, &xplane);
    commands->WireButtons();
  }
  float TankFuel(std::string_view dataref) { return *network.XPlane().Value(std::string(dataref)); }

  FakeIpcPort ipcPort;
  IpcClient link{ipcPort};
  FakeXPlanePort network;
  XPlaneClient xplane{network, {}};
  std::unique_ptr<SimulatorCommands> commands;
};

TEST_F(XPlaneCommandsTest, PayloadIsReadInEitherUnit) {
  network.SetUpXPlane({.payloadKg = 4643.69F});
  c().cboUnits.SetSelectedIndex(0);
  c().cmdReadPayload.Click();
  EXPECT_EQ(c().txtPayload.Text(), "10238");
  c().cboUnits.SetSelectedIndex(1);
  c().cmdReadPayload.Click();
  EXPECT_EQ(c().txtPayload.Text(), "4644");
  EXPECT_EQ(state.plan.Payload, 4644.0) << "the plan takes the rounded text";
  EXPECT_THAT(messages.Shown(),
              ElementsAre(PayloadRead("10238 pounds."), PayloadRead("4644 kilograms.")));
  EXPECT_EQ(std::ranges::count(ipcPort.calls, "FindTopLevelWindow UIPCMAIN"), 1)
      << "linked once, the link stays";
}

TEST_F(XPlaneCommandsTest, BoardingSetsBothTanksToTheTankFuel) {
  c().cboUnits.SetSelectedIndex(1);
  c().txtTaxiFuel.SetText("1000");
  c().cmdBoardFuel.Click();
  EXPECT_THAT(messages.Shown(), ElementsAre(kBoarded));
  const auto fuel = static_cast<float>(state.plan.TankFuel);
  EXPECT_THAT(network.drefs, ElementsAre(Pair(std::string(kLeftTankFuelDataref), fuel),
                                         Pair(std::string(kRightTankFuelDataref), fuel)));
  EXPECT_EQ(TankFuel(kRightTankFuelDataref), fuel);
}

TEST_F(XPlaneCommandsTest, FuelThatDoesNotStayOrHasNoTankIsAFailedWrite) {
  network.SetUpXPlane({.ignoreWrites = true});
  c().cmdBoardFuel.Click();
  EXPECT_EQ(messages.Shown().back(), kWriteFailed);
  EXPECT_EQ(network.drefs.size(), 2u) << "the left tank, sent twice; the right one not at all";

  network.SetUpXPlane({.leftTankShare = 0.0F});
  network.drefs.clear();
  c().cmdBoardFuel.Click();
  EXPECT_EQ(messages.Shown().back(), kWriteFailed);
  EXPECT_TRUE(network.drefs.empty());
}

TEST_F(XPlaneCommandsTest, XPlaneGoneAfterLinkingIsAFailedRead) {
  c().cmdReadPayload.Click();
  network.xplanePresent = false;
  c().cmdReadPayload.Click();
  EXPECT_EQ(messages.Shown().back(), kReadFailed);
  EXPECT_TRUE(state.simConnected);
}

TEST_F(XPlaneCommandsTest, NeitherSimulatorShowsTheConnectionFailureEachTime) {
  network.SetUpXPlane({.silent = true});
  c().cmdReadPayload.Click();
  c().cmdBoardFuel.Click();
  EXPECT_THAT(messages.Shown(), ElementsAre(kNoSimulator, kNoSimulator));
  EXPECT_FALSE(state.simConnected);

  network.SetUpXPlane({});
  c().cmdReadPayload.Click();
  EXPECT_EQ(messages.Shown().back(), PayloadRead("2000 kilograms."));
}

TEST_F(XPlaneCommandsTest, IpcServerComesFirst) {
  ipcPort.windowClasses = {"UIPCMAIN"};
  c().cmdBoardFuel.Click();
  EXPECT_THAT(messages.Shown(), ElementsAre(kBoarded));
  EXPECT_TRUE(network.sent.empty()) << "X-Plane is not even looked for";
}

TEST_F(XPlaneCommandsTest, IpcServerThatFailsIsNotPassedOverForXPlane) {
  ipcPort.windowClasses = {"UIPCMAIN"};
  ipcPort.failingSends = 100;
  c().cmdReadPayload.Click();
  EXPECT_EQ(messages.Shown().back().title, "Error!");
  EXPECT_THAT(messages.Shown().back().text, testing::HasSubstr("IPC timed out all retries"));
  EXPECT_TRUE(network.sent.empty());
}

}  // namespace
}  // namespace tarnwick
