#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "LinkBytes.h"
#include "simstub/FakeIpcPort.h"
#include "simlink/IpcClient.h"
#include "simlink/RequestArea.h"
#include "simlink/SimulatorExchange.h"

namespace tarnwick {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class IpcClientTest : public testing::Test {
 protected:
  bool Open(std::int32_t requestedVersion = kAnySimulator) {
    return link.LinkOpen(requestedVersion, result);
  }
  void OpenAndForgetHandshake() {
    ASSERT_TRUE(Open());
    port.sent.clear();
    port.sleeps.clear();
  }
  void ExpectFullyClosed() const {
    EXPECT_FALSE(link.IsOpen());
    EXPECT_THAT(port.liveAtoms, IsEmpty());
    EXPECT_EQ(port.liveMappings, 0);
    EXPECT_EQ(port.liveViews, 0);
  }
  std::vector<std::byte> SentBatch(std::size_t index, std::size_t length) const {
    const auto& area = port.sent.at(index).area;
    return {area.begin(), area.begin() + static_cast<std::ptrdiff_t>(length)};
  }

  FakeIpcPort port;
  IpcClient link{port};
  LinkResult result = LinkResult::kConnected;
};

TEST_F(IpcClientTest, OpenSharesTheAreaAndRunsOneHandshakePass) {
  ASSERT_TRUE(Open());
  EXPECT_EQ(result, LinkResult::kConnected);
  EXPECT_EQ(port.lastMappingName, "FSASMLIB:IPC:D28:1");
  EXPECT_EQ(link.State().SimVersion, 7u);
  EXPECT_EQ(link.State().FsuipcVersion, 0x34500000);
  ASSERT_EQ(port.sent.size(), 1u);
  const auto& send = port.sent[0];
  EXPECT_EQ(send.message, 0xC0DEu);
  EXPECT_EQ(send.wParam, static_cast<std::int16_t>(0xC001));  // the atom, sign-extended
  EXPECT_EQ(send.lParam, 0);
  EXPECT_EQ(send.timeoutMs, 2000u);
  EXPECT_EQ(SentBatch(0, 58), Concatenate({LittleEndianWords({1, 0x3304, 4, 1, 0}),
                                           LittleEndianWords({1, 0x3308, 4, 2, 0}),
                                           LittleEndianWords({2, 0x330A, 2}),
                                           {std::byte{0}, std::byte{0}},
                                           LittleEndianWords({0})}));
  // The pause after the last pass makes every successful open take at least 100 ms.
  EXPECT_THAT(port.sleeps, ElementsAre(100u));
}

TEST_F(IpcClientTest, MappingNameCarriesTheProcessIdInUpperCaseHex) {
  EXPECT_EQ(MappingName(255), "FSASMLIB:IPC:FF:1");
  EXPECT_EQ(MappingName(0xFFFFFFFF), "FSASMLIB:IPC:FFFFFFFF:1");
}

TEST_F(IpcClientTest, ServerFoundOnlyAsFs98MainIsUsed) {
  port.windowClasses = {"FS98MAIN"};
  EXPECT_TRUE(Open());
  EXPECT_THAT(port.calls, testing::Contains("FindTopLevelWindow FS98MAIN"));
}

TEST_F(IpcClientTest, EarlyOpenFailuresLeaveNothingToRelease) {
  port.windowClasses.clear();
  EXPECT_FALSE(Open());
  EXPECT_EQ(result, LinkResult::kNoServer);

  port.windowClasses = {"UIPCMAIN"};
  port.registeredMessage = 0;
  EXPECT_FALSE(Open());
  EXPECT_EQ(result, LinkResult::kNoRegisteredMessage);
  EXPECT_NE(link.State().LinkWindow, 0u);  // kept until the next init or close
  EXPECT_THAT(port.calls, testing::Not(testing::Contains("AddGlobalAtom FSASMLIB:IPC:D28:1")));
}

struct OpenFailure {
  const char* name;
  void (*script)(FakeIpcPort&);
  LinkResult expected;
};

class IpcClientOpenFailure : public IpcClientTest,
                             public testing::WithParamInterface<OpenFailure> {};

TEST_P(IpcClientOpenFailure, ReleasesEverythingAndReportsItsCode) {
  GetParam().script(port);
  EXPECT_FALSE(Open());
  EXPECT_EQ(result, GetParam().expected);
  ExpectFullyClosed();
}

INSTANTIATE_TEST_SUITE_P(
    Steps, IpcClientOpenFailure,
    testing::Values(
        OpenFailure{"NoAtom", [](FakeIpcPort& p) { p.atomFails = true; }, LinkResult::kNoAtom},
        OpenFailure{"NoMapping", [](FakeIpcPort& p) { p.mappingFails = true; },
                    LinkResult::kNoMapping},
        OpenFailure{"MappingExisted", [](FakeIpcPort& p) { p.mappingExists = true; },
                    LinkResult::kNoMapping},
        OpenFailure{"NoView", [](FakeIpcPort& p) { p.viewFails = true; }, LinkResult::kNoView},
        OpenFailure{"OldServer", [](FakeIpcPort& p) { p.simulator.WriteInt32(0x3304, 0x19980004); },
                    LinkResult::kWrongVersion},
        OpenFailure{"NoSignature",
                    [](FakeIpcPort& p) { p.simulator.WriteInt32(0x3308, 0x00000007); },
                    LinkResult::kWrongVersion},
        OpenFailure{"WideClientWithoutSimulator",
                    [](FakeIpcPort& p) {
                      p.windowClasses = {"FS98MAIN"};
                      p.simulator.WriteInt32(0x3308, 0x00000007);
                    },
                    LinkResult::kWideClientNoSimulator},
        OpenFailure{"HandshakeTimesOut", [](FakeIpcPort& p) { p.failingSends = 11; },
                    LinkResult::kTimedOut},
        OpenFailure{"HandshakeAnsweredBadly", [](FakeIpcPort& p) { p.messageResult = 0; },
                    LinkResult::kBadData}),
    [](const testing::TestParamInfo<OpenFailure>& instance) { return instance.param.name; });

TEST_F(IpcClientTest, VersionCheckIsSignedAndHasItsBoundary) {
  port.simulator.WriteInt32(0x3304, 0x19980005);
  EXPECT_TRUE(Open());
  link.LinkClose();
  port.simulator.WriteInt32(0x3304, static_cast<std::int32_t>(0x80000000u));
  EXPECT_FALSE(Open());
  EXPECT_EQ(result, LinkResult::kWrongVersion);
}

TEST_F(IpcClientTest, ServerThatAnswersZerosGetsFivePassesThenFails) {
  port.server = [](std::span<std::byte>) {};  // leaves every read at zero
  EXPECT_FALSE(Open());
  EXPECT_EQ(result, LinkResult::kWrongVersion);
  EXPECT_EQ(port.sent.size(), 5u);
  EXPECT_EQ(port.SleptMs(), 500u);
}

TEST_F(IpcClientTest, RequestedSimulatorVersionMustMatch) {
  port.simulator.WriteInt32(0x3308, static_cast<std::int32_t>(0xFADE0006u));
  EXPECT_FALSE(Open(7));
  EXPECT_EQ(result, LinkResult::kSimNotRequested);
  ExpectFullyClosed();
  EXPECT_TRUE(Open(6));
}

TEST_F(IpcClientTest, SecondOpenIsRefusedAndTheLinkGoesOn) {
  ASSERT_TRUE(Open());
  EXPECT_FALSE(Open());
  EXPECT_EQ(result, LinkResult::kAlreadyOpen);
  std::int32_t zeroFuelWeight = 0;
  EXPECT_TRUE(ReadAndProcess(link, 0x3BFC, WritableBytes(zeroFuelWeight), result));
  EXPECT_EQ(zeroFuelWeight, 40000 * 256);
}

TEST_F(IpcClientTest, ClosedLinkCanBeOpenedAgainUnderTheSameName) {
  ASSERT_TRUE(Open());
  link.LinkClose();
  ExpectFullyClosed();
  link.LinkClose();  // closing twice is harmless
  ASSERT_TRUE(Open());
  EXPECT_EQ(port.lastMappingName, "FSASMLIB:IPC:D28:1");
}

TEST_F(IpcClientTest, ClosedLinkRefusesEveryRequest) {
  std::int32_t value = 0;
  EXPECT_FALSE(link.QueueRead(0x3BFC, WritableBytes(value), result));
  EXPECT_EQ(result, LinkResult::kNotOpen);
  result = LinkResult::kConnected;
  EXPECT_FALSE(link.QueueWrite(0x0B7C, WritableBytes(value), result));
  EXPECT_EQ(result, LinkResult::kNotOpen);
  result = LinkResult::kConnected;
  EXPECT_FALSE(link.LinkProcess(result));
  EXPECT_EQ(result, LinkResult::kNotOpen);
}

TEST_F(IpcClientTest, EmptyBatchIsNotSent) {
  OpenAndForgetHandshake();
  EXPECT_FALSE(link.LinkProcess(result));
  EXPECT_EQ(result, LinkResult::kNothingQueued);
  EXPECT_THAT(port.sent, IsEmpty());
}

TEST_F(IpcClientTest, FillLimitCountsHeaderAndTerminator) {
  OpenAndForgetHandshake();
  std::vector<std::byte> buffer(32497);
  EXPECT_FALSE(link.QueueRead(0, std::span(buffer).first(32493), result));
  EXPECT_EQ(result, LinkResult::kAreaFull);
  EXPECT_TRUE(link.QueueRead(0, std::span(buffer).first(32492), result));
  EXPECT_TRUE(link.LinkProcess(result));

  EXPECT_FALSE(link.QueueWrite(0, std::span(buffer).first(32497), result));
  EXPECT_EQ(result, LinkResult::kAreaFull);
  EXPECT_TRUE(link.QueueWrite(0, std::span(buffer).first(32496), result));
  EXPECT_TRUE(link.LinkProcess(result));
}

TEST_F(IpcClientTest, RefusedRequestLeavesTheEarlierOnesValid) {
  OpenAndForgetHandshake();
  std::int32_t zeroFuelWeight = 0;
  std::vector<std::byte> tooLarge(32600);
  ASSERT_TRUE(link.QueueRead(0x3BFC, WritableBytes(zeroFuelWeight), result));
  EXPECT_FALSE(link.QueueRead(0, tooLarge, result));
  EXPECT_TRUE(link.LinkProcess(result));
  EXPECT_EQ(zeroFuelWeight, 40000 * 256);
  EXPECT_EQ(SentBatch(0, 24),
            Concatenate({LittleEndianWords({1, 0x3BFC, 4, 1, 0}), LittleEndianWords({0})}));
}

TEST_F(IpcClientTest, WriteBatchLayoutAndZeroSizedRead) {
  OpenAndForgetHandshake();
  const std::int32_t level = 4194304;
  ASSERT_TRUE(link.QueueWrite(0x0B7C, std::as_bytes(std::span(&level, 1)), result));
  ASSERT_TRUE(link.QueueRead(0x1234, {}, result));
  ASSERT_TRUE(link.LinkProcess(result));
  EXPECT_EQ(SentBatch(0, 36),
            Concatenate({LittleEndianWords({2, 0x0B7C, 4, 4194304}),
                         LittleEndianWords({1, 0x1234, 0, 1}), LittleEndianWords({0})}));
  EXPECT_EQ(port.simulator.ReadInt32(0x0B7C), 4194304);
}

TEST_F(IpcClientTest, FailedSendsAreRetriedAfterAPause) {
  OpenAndForgetHandshake();
  std::int32_t value = 0;
  port.failingSends = 2;
  EXPECT_TRUE(ReadAndProcess(link, 0x3BFC, WritableBytes(value), result));
  EXPECT_EQ(port.sent.size(), 3u);
  EXPECT_THAT(port.sleeps, ElementsAre(100u, 100u));

  port.failingSends = 10;
  port.sleeps.clear();
  EXPECT_TRUE(ReadAndProcess(link, 0x3BFC, WritableBytes(value), result));
  EXPECT_EQ(port.sleeps.size(), 10u);
}

TEST_F(IpcClientTest, ElevenFailedSendsAreATimeOutOrAFailure) {
  OpenAndForgetHandshake();
  std::int32_t value = 0;
  port.failingSends = 11;
  EXPECT_FALSE(ReadAndProcess(link, 0x3BFC, WritableBytes(value), result));
  EXPECT_EQ(result, LinkResult::kTimedOut);
  EXPECT_EQ(port.sent.size(), 11u);
  EXPECT_EQ(port.SleptMs(), 1000u);
  EXPECT_TRUE(std::ranges::all_of(port.sent, [](const auto& s) { return s.timeoutMs == 2000; }));

  port.failingSends = 11;
  port.sendError = 1460;
  EXPECT_FALSE(ReadAndProcess(link, 0x3BFC, WritableBytes(value), result));
  EXPECT_EQ(result, LinkResult::kSendFailed);
  // A failed batch is consumed but leaves the link open.
  EXPECT_TRUE(link.IsOpen());
  EXPECT_TRUE(ReadAndProcess(link, 0x3BFC, WritableBytes(value), result));
}

TEST_F(IpcClientTest, MessageResultOtherThanOneCopiesNothing) {
  OpenAndForgetHandshake();
  for (const std::uintptr_t answer : {0u, 2u}) {
    port.messageResult = answer;
    std::int32_t value = -1;
    EXPECT_FALSE(ReadAndProcess(link, 0x3BFC, WritableBytes(value), result));
    EXPECT_EQ(result, LinkResult::kBadData);
    EXPECT_EQ(value, -1);
  }
}

}  // namespace
}  // namespace tarnwick
