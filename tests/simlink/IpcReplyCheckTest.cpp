// A reply is delivered only when the server left every header and the terminator as queued.
#include <gtest/gtest.h>

#include <array>

#include "LinkBytes.h"
#include "simstub/FakeIpcPort.h"
#include "simlink/IpcClient.h"
#include "simlink/RequestArea.h"

namespace tarnwick {
namespace {

// The batch under test: a 4-byte read at 0, an 8-byte read at 20, a 4-byte write at 44 and the
// terminator at 60.
constexpr std::size_t kSecondRead = 20;
constexpr std::size_t kWrite = 44;
constexpr std::size_t kTerminator = 60;

struct Tampering {
  const char* name;
  std::size_t position;  // of the 32-bit field the server changes
  std::uint32_t value;
};

class IpcReplyCheck : public testing::TestWithParam<Tampering> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(link.LinkOpen(kAnySimulator, result));
    port.simulator.WriteInt32(0x3BFC, 1234);
    port.simulator.WriteInt32(0x0100, 5678);
  }
  bool SendBatch() {
    const std::int32_t level = 99;
    return link.QueueRead(0x3BFC, WritableBytes(first), result) &&
           link.QueueRead(0x0100, WritableBytes(second), result) &&
           link.QueueWrite(0x0B7C, std::as_bytes(std::span(&level, 1)), result) &&
           link.LinkProcess(result);
  }

  FakeIpcPort port;
  IpcClient link{port};
  LinkResult result = LinkResult::kConnected;
  std::int32_t first = -1;
  std::array<std::int32_t, 2> second{-1, -1};
};

TEST_F(IpcReplyCheck, UntouchedHeadersDeliverEveryRead) {
  ASSERT_TRUE(SendBatch());
  EXPECT_EQ(first, 1234);
  EXPECT_EQ(second[0], 5678);
}

TEST_P(IpcReplyCheck, ChangedFieldFailsTheWholeBatch) {
  const FakeIpcPort::Server simulator = port.server;
  port.server = [&simulator, tampering = GetParam()](std::span<std::byte> area) {
    simulator(area);
    StoreLittleEndian32(area.data() + tampering.position, tampering.value);
  };
  EXPECT_FALSE(SendBatch());
  EXPECT_EQ(result, LinkResult::kBadData);
  EXPECT_EQ(first, -1);
  EXPECT_EQ(second[0], -1);
  EXPECT_EQ(second[1], -1);
  EXPECT_TRUE(link.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, IpcReplyCheck,
    testing::Values(Tampering{"Token", kSecondRead + kRecordTokenField, 1},
                    Tampering{"TokenAsAddress", kSecondRead + kRecordTokenField, 0xDEADBEEF},
                    Tampering{"SizeLarger", kSecondRead + kRecordSizeField, 4000},
                    Tampering{"SizeSmaller", kSecondRead + kRecordSizeField, 4},
                    Tampering{"Offset", kSecondRead + kRecordOffsetField, 0x0104},
                    Tampering{"UnknownType", kSecondRead + kRecordTypeField, 7},
                    Tampering{"ReadBecomesWrite", kRecordTypeField, kWriteRecord},
                    Tampering{"WriteSize", kWrite + kRecordSizeField, 2},
                    Tampering{"TerminatorMissing", kTerminator, kReadRecord},
                    Tampering{"TerminatorUpperHalf", kTerminator, 0x00010000}),
    [](const testing::TestParamInfo<Tampering>& instance) { return instance.param.name; });

}  // namespace
}  // namespace tarnwick
