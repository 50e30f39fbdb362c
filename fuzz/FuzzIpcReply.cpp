// Arbitrary bytes as the server's reply to a queued batch. The link is opened on the fake port
// (its substitute simulator answers the handshake); then a batch of reads and one write is
// queued, and the server of the exchange overwrites the start of the request area with the
// reply bytes and answers 1. Whatever the reply, the link must neither crash nor copy a single
// byte unless every header and the terminator are as queued, and then it must deliver every
// read from its record. A violation prints which property failed and traps.
//
// Input: the batch's layout, then the reply.
//   byte 0          number of reads, 1 + byte % 4
//   byte 1          reads queued before the write, byte % (reads + 1)
//   byte 2          size of the write, byte % 9
//   3 bytes a read  its size (byte % 41), then its offset (16 bits, little-endian)
//   the rest        the reply; the area beyond it keeps what the link wrote
// Missing layout bytes count as 0.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

#include "simlink/IpcClient.h"
#include "simlink/RequestArea.h"
#include "simlink/SimulatorOffsets.h"
#include "simstub/FakeIpcPort.h"

namespace tarnwick {
namespace {

constexpr std::byte kSentinel{0xA5};
constexpr std::byte kWrittenByte{0x5A};
constexpr std::size_t kMostReads = 4;
constexpr std::size_t kLargestRead = 40;
constexpr std::size_t kLargestWrite = 8;
constexpr auto kWriteOffset = static_cast<std::uint32_t>(kLeftMainTankOffset);

void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property violated: %s\n", property);
  __builtin_trap();
}

// Takes bytes from the front of the input; 0 once it is used up.
class InputReader {
 public:
  explicit InputReader(std::span<const std::uint8_t> input) : rest_(input) {}
  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const std::uint8_t value = rest_.front();
    rest_ = rest_.subspan(1);
    return value;
  }
  std::uint16_t Word() {
    const std::uint8_t low = Byte();
    return static_cast<std::uint16_t>(low | (Byte() << 8));
  }
  std::span<const std::uint8_t> Rest() const { return rest_; }

 private:
  std::span<const std::uint8_t> rest_;
};

// One record as the fuzzer queued it, with where it starts in the area.
struct ExpectedRecord {
  std::uint32_t type;
  std::uint32_t offset;
  std::uint32_t token;  // reads only
  std::size_t position;
  std::vector<std::byte> bytes;  // a read's destination, filled with the sentinel; a write's data
};

std::size_t RecordLength(const ExpectedRecord& record) {
  const std::size_t header = record.type == kReadRecord ? kReadHeaderSize : kWriteHeaderSize;
  return header + record.bytes.size();
}

std::vector<ExpectedRecord> LayOutBatch(InputReader& input) {
  const std::size_t reads = 1 + input.Byte() % kMostReads;
  const std::size_t readsBeforeWrite = input.Byte() % (reads + 1);
  const std::size_t writeSize = input.Byte() % (kLargestWrite + 1);
  std::vector<ExpectedRecord> batch;
  std::size_t position = 0;
  const auto add = [&](ExpectedRecord record) {
    record.position = position;
    position += RecordLength(record);
    batch.push_back(std::move(record));
  };
  for (std::uint32_t token = 1; token <= reads; ++token) {
    if (token - 1 == readsBeforeWrite) {
      add({kWriteRecord, kWriteOffset, 0, 0, std::vector(writeSize, kWrittenByte)});
    }
    const std::size_t size = input.Byte() % (kLargestRead + 1);
    add({kReadRecord, input.Word(), token, 0, std::vector(size, kSentinel)});
  }
  if (readsBeforeWrite == reads) {
    add({kWriteRecord, kWriteOffset, 0, 0, std::vector(writeSize, kWrittenByte)});
  }
  return batch;
}

void QueueBatch(IpcClient& link, std::vector<ExpectedRecord>& batch) {
  LinkResult result = LinkResult::kConnected;
  for (ExpectedRecord& record : batch) {
    const auto offset = static_cast<std::int32_t>(record.offset);
    const bool queued = record.type == kReadRecord ? link.QueueRead(offset, record.bytes, result)
                                                   : link.QueueWrite(offset, record.bytes, result);
    Require(queued, "a small batch on an open link is queued");
  }
}

bool FieldIs(std::span<const std::byte> area, std::size_t position, std::uint32_t expected) {
  return LoadLittleEndian32(area.data() + position) == expected;
}

// Every header and the terminator as queued, read from the area independently of the link.
bool HeadersAsQueued(std::span<const std::byte> area, const std::vector<ExpectedRecord>& batch) {
  for (const ExpectedRecord& record : batch) {
    const std::size_t at = record.position;
    const bool same =
        FieldIs(area, at + kRecordTypeField, record.type) &&
        FieldIs(area, at + kRecordOffsetField, record.offset) &&
        FieldIs(area, at + kRecordSizeField, static_cast<std::uint32_t>(record.bytes.size())) &&
        (record.type != kReadRecord || FieldIs(area, at + kRecordTokenField, record.token));
    if (!same) return false;
  }
  const ExpectedRecord& last = batch.back();
  return FieldIs(area, last.position + RecordLength(last), kTerminatorRecord);
}

bool HoldsOnlySentinels(const ExpectedRecord& read) {
  return std::ranges::all_of(read.bytes, [](std::byte b) { return b == kSentinel; });
}

bool HoldsItsRecordData(std::span<const std::byte> area, const ExpectedRecord& read) {
  const std::size_t data = read.position + kReadHeaderSize;
  return read.bytes.empty() ||
         std::memcmp(read.bytes.data(), area.data() + data, read.bytes.size()) == 0;
}

void CheckDelivery(bool accepted, LinkResult result, std::span<const std::byte> area,
                   const std::vector<ExpectedRecord>& batch) {
  Require(accepted == HeadersAsQueued(area, batch),
          "the batch is accepted exactly when every header and the terminator are as queued");
  Require(accepted || result == LinkResult::kBadData, "a refused reply gives result 13");
  for (const ExpectedRecord& record : batch) {
    if (record.type != kReadRecord) continue;
    if (accepted) {
      Require(HoldsItsRecordData(area, record), "an accepted read holds its record's data");
    } else {
      Require(HoldsOnlySentinels(record), "a refused batch copies nothing");
    }
  }
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  InputReader input(std::span(data, size));
  std::vector<ExpectedRecord> batch = LayOutBatch(input);
  const std::span<const std::uint8_t> reply = input.Rest();

  FakeIpcPort port;
  port.keepsSentAreas = false;
  IpcClient link(port);
  LinkResult result = LinkResult::kNotOpen;
  Require(link.LinkOpen(kAnySimulator, result), "the link opens on the fake port");
  QueueBatch(link, batch);

  port.server = [reply](std::span<std::byte> area) {
    if (!reply.empty()) std::memcpy(area.data(), reply.data(), std::min(reply.size(), area.size()));
  };
  const bool accepted = link.LinkProcess(result);
  CheckDelivery(accepted, result, port.Area(), batch);
  return 0;
}
