#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/ArithmeticFault.h"
#include "simstub/FakeIpcPort.h"
#include "commands/SimulatorCommands.h"
#include "commands/SimulatorUnits.h"
#include "tests/ui/MainWindowFixture.h"

namespace tarnwick {
namespace {

using testing::ElementsAre;

constexpr int kTailwind = 1;

MessageBoxContent Success(const std::string& text) {
  return {text, "Success!", MessageBoxStyle::kInformation};
}

MessageBoxContent ConnectionFailure(const std::string& reason) {
  return {
      "FSUIPC connection failure: " + reason + "\r\n\r\nEnsure that Flight Simulator is running.",
      "Error!", MessageBoxStyle::kError};
}

const MessageBoxContent kReadFailed{"Read failed!", "Error", MessageBoxStyle::kNoIcon};
const MessageBoxContent kWriteFailed{"Variable write failed!", "Error", MessageBoxStyle::kNoIcon};

class SimulatorCommandsTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    Start();
    commands = std::make_unique<SimulatorCommands>(*window, state, link, messages);
    commands->WireButtons();
  }
  void SetZeroFuelWeight(std::int32_t simulatorValue) {
    port.simulator.WriteInt32(0x3BFC, simulatorValue);
  }
  std::size_t WindowLookUps() const {
    return static_cast<std::size_t>(std::ranges::count(port.calls, "FindTopLevelWindow UIPCMAIN"));
  }

  FakeIpcPort port;
  IpcClient link{port};
  std::unique_ptr<SimulatorCommands> commands;
};

TEST_F(SimulatorCommandsTest, PayloadReadInPoundsAndKilograms) {
  SetZeroFuelWeight(10240000);  // 40000 lb
  c().cboUnits.SetSelectedIndex(0);
  c().cmdReadPayload.Click();
  EXPECT_EQ(c().txtPayload.Text(), "10238");
  EXPECT_TRUE(state.simConnected);

  c().cboUnits.SetSelectedIndex(1);
  c().cmdReadPayload.Click();
  EXPECT_EQ(c().txtPayload.Text(), "4644");
  EXPECT_EQ(c().txtZFW.Text(), "18144") << "the payload's change recomputes the plan";
  EXPECT_EQ(state.plan.Payload, 4644.0) << "the plan takes the rounded text";
  EXPECT_THAT(messages.Shown(), ElementsAre(Success("Payload weight read as 10238 pounds."),
                                            Success("Payload weight read as 4644 kilograms.")));
  EXPECT_EQ(WindowLookUps(), 1u) << "an open link is used as it is";
}

TEST_F(SimulatorCommandsTest, PayloadBelowAndAtTheBasicOperatingWeight) {
  SetZeroFuelWeight(20000 * 256);
  c().cmdReadPayload.Click();
  EXPECT_EQ(c().txtPayload.Text(), "-4428");

  SetZeroFuelWeight(29762 * 256);  // 0.19 kg below the basic operating weight
  c().cmdReadPayload.Click();
  EXPECT_EQ(c().txtPayload.Text(), "");
  EXPECT_EQ(messages.Shown().back(), Success("Payload weight read as  kilograms."));
}

TEST_F(SimulatorCommandsTest, NoUnitSelectedShowsKilogramsCalledPounds) {
  c().cboUnits.SetSelectedIndex(-1);
  c().cmdReadPayload.Click();
  EXPECT_EQ(messages.Shown().back(), Success("Payload weight read as 4644 pounds."));
}

TEST_F(SimulatorCommandsTest, FailedReadKeepsTheLinkAndThePayload) {
  c().cmdReadPayload.Click();
  port.failingSends = 11;
  c().txtPayload.SetText("1000");
  c().cmdReadPayload.Click();
  EXPECT_EQ(messages.Shown().back(), kReadFailed);
  EXPECT_EQ(c().txtPayload.Text(), "1000");
  EXPECT_TRUE(state.simConnected);
  EXPECT_EQ(WindowLookUps(), 1u);
}

TEST_F(SimulatorCommandsTest, BoardingFillsLeftThenRightWithOneLevel) {
  c().txtTaxiFuel.SetText("2000");
  c().cmdBoardFuel.Click();
  const std::int32_t level = TankLevel(state.plan.TankFuel, 2541.0);
  EXPECT_GT(level, 0);
  EXPECT_EQ(port.simulator.ReadInt32(0x0B7C), level);
  EXPECT_EQ(port.simulator.ReadInt32(0x0B94), level);
  ASSERT_EQ(port.sent.size(), 3u);  // the handshake, then one batch per tank
  EXPECT_EQ(port.sent[1].area[4], std::byte{0x7C});
  EXPECT_EQ(port.sent[2].area[4], std::byte{0x94});
  EXPECT_THAT(messages.Shown(), ElementsAre(Success("The fuel was successfully boarded.")));
}

TEST_F(SimulatorCommandsTest, FailedLeftTankWriteLeavesTheRightOneAlone) {
  c().cmdReadPayload.Click();
  port.messageResult = 0;
  c().cmdBoardFuel.Click();
  EXPECT_EQ(messages.Shown().back(), kWriteFailed);
  EXPECT_EQ(port.simulator.ReadInt32(0x0B94), 0);
  EXPECT_EQ(port.sent.size(), 3u);
}

TEST_F(SimulatorCommandsTest, FailedRightTankWriteKeepsTheLeftOne) {
  c().cmdReadPayload.Click();
  const FakeIpcPort::Server simulator = port.server;
  int exchanges = 0;
  port.server = [&](std::span<std::byte> area) {
    simulator(area);
    if (++exchanges == 2) port.messageResult = 0;
  };
  c().cmdBoardFuel.Click();
  EXPECT_EQ(messages.Shown().back(), kWriteFailed);
  EXPECT_NE(port.simulator.ReadInt32(0x0B7C), 0);
}

TEST_F(SimulatorCommandsTest, ConnectionFailureIsShownAloneAndTriedAgain) {
  port.windowClasses.clear();
  c().cmdReadPayload.Click();
  c().cmdBoardFuel.Click();
  const auto noServer = ConnectionFailure("Cannot link to FSUIPC or WideClient");
  EXPECT_THAT(messages.Shown(), ElementsAre(noServer, noServer));
  EXPECT_FALSE(state.simConnected);

  port.windowClasses = {"FS98MAIN"};
  port.simulator.WriteInt32(0x3304, 0x19980004);
  c().cmdReadPayload.Click();
  EXPECT_EQ(messages.Shown().back(),
            ConnectionFailure(
                "Maybe running on WideClient, but FS not running on Server, or wrong FSUIPC"));
}

TEST_F(SimulatorCommandsTest, ServerThatNeverAnswersIsReportedAfterTheRetries) {
  port.failingSends = 11;
  c().cmdBoardFuel.Click();
  EXPECT_THAT(messages.Shown(), ElementsAre(ConnectionFailure("IPC timed out all retries")));
  EXPECT_EQ(port.SleptMs(), 1000u);
}

TEST_F(SimulatorCommandsTest, BoardingStopsBeforeTheSimulatorWhenThePlanFails) {
  c().cboWindType.SetSelectedIndex(kTailwind);
  c().txtHeadwind.SetText("-32768");  // overflows the wind arithmetic
  const std::size_t shown = messages.Shown().size();
  c().cmdBoardFuel.Click();
  EXPECT_EQ(messages.Shown().size(), shown + 1) << "only the plan's own overflow message";
  EXPECT_TRUE(port.calls.empty());

  c().txtHeadwind.SetText("0");
  c().txtTaxiFuel.SetText("2000000");  // a tank level beyond 32 bits
  c().cmdBoardFuel.Click();
  EXPECT_EQ(messages.Shown().back().text, kOverflowMessageText);
  EXPECT_TRUE(port.calls.empty());
}

TEST(SimulatorUnits, ZeroFuelWeightRoundsHalvesToEven) {
  EXPECT_EQ(ZeroFuelWeightPounds(128), 0);
  EXPECT_EQ(ZeroFuelWeightPounds(384), 2);
  EXPECT_EQ(ZeroFuelWeightPounds(-384), -2);
  EXPECT_EQ(ZeroFuelWeightPounds(10240000), 40000);
}

TEST(SimulatorUnits, TankLevelIsAFractionOfAFullTank) {
  EXPECT_EQ(TankLevel(1270.5, 2541.0), 4194304);
  EXPECT_EQ(TankLevel(2541.0, 2541.0), 8388608);
  EXPECT_EQ(TankLevel(1000.0, 2541.0), 3301302);
  EXPECT_EQ(TankLevel(2541.0 * 2, 2541.0), 16777216) << "not clamped";
  EXPECT_THROW(TankLevel(2541.0 * 256, 2541.0), OverflowFault);
}

}  // namespace
}  // namespace tarnwick
