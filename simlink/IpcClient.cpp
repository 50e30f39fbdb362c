#include "simlink/IpcClient.h"

#include <algorithm>
#include <cstring>
#include <iomanip>
#include <sstream>
#include <utility>

#include "simlink/RequestArea.h"
#include "simlink/SimulatorOffsets.h"

namespace tarnwick {
namespace {

constexpr int kHandshakePasses = 5;
constexpr std::uint32_t kHandshakePauseMs = 100;

constexpr int kSendAttempts = 11;
constexpr std::uint32_t kSendTimeoutMs = 2000;
constexpr std::uint32_t kRetryPauseMs = 100;
constexpr std::uintptr_t kBatchCarriedOut = 1;

constexpr std::uint32_t kSimVersionSignature = 0xFADE;

template <typename T>
std::span<std::byte> BytesOf(T& value) {
  return std::as_writable_bytes(std::span<T, 1>(&value, 1));
}

bool FieldIs(const std::byte* view, std::size_t position, std::size_t field,
             std::uint32_t expected) {
  return LoadLittleEndian32(view + position + field) == expected;
}

}  // namespace

std::string MappingName(std::uint32_t processId) {
  std::ostringstream name;
  name << kIpcMessageName << ':' << std::uppercase << std::hex << processId << ":1";
  return name.str();
}

void IpcClient::LinkInit() {
  const LinkState forgotten{.FsuipcVersion = state_.FsuipcVersion,
                            .SimVersion = state_.SimVersion,
                            .LinkClientWord = state_.LinkClientWord};
  state_ = forgotten;
  queued_.clear();
}

bool IpcClient::LinkOpen(std::int32_t requestedVersion, LinkResult& result) {
  state_.FsuipcVersion = 0;
  state_.SimVersion = 0;
  if (IsOpen()) {
    result = LinkResult::kAlreadyOpen;
    return false;
  }
  bool foundAsFs98Main = false;
  if (!FindServerWindow(foundAsFs98Main)) {
    result = LinkResult::kNoServer;
    return false;
  }
  state_.LinkMessage = port_.RegisterMessage(std::string(kIpcMessageName));
  if (state_.LinkMessage == 0) {
    result = LinkResult::kNoRegisteredMessage;
    return false;
  }
  if (!ShareRequestArea(result) || !RunHandshake(result) ||
      !CheckVersion(requestedVersion, foundAsFs98Main, result)) {
    LinkClose();
    return false;
  }
  return true;
}

bool IpcClient::FindServerWindow(bool& foundAsFs98Main) {
  state_.LinkWindow = port_.FindTopLevelWindow("UIPCMAIN");
  if (state_.LinkWindow == 0) {
    state_.LinkWindow = port_.FindTopLevelWindow("FS98MAIN");
    foundAsFs98Main = true;
  }
  return state_.LinkWindow != 0;
}

bool IpcClient::ShareRequestArea(LinkResult& result) {
  const std::string name = MappingName(port_.CurrentProcessId());
  const std::uint16_t atom = port_.AddGlobalAtom(name);
  state_.LinkAtom = static_cast<std::int16_t>(atom);
  if (atom == 0) {
    result = LinkResult::kNoAtom;
    return false;
  }
  const MappingCreation mapping = port_.CreateNamedMapping(name, kRequestAreaSize);
  state_.LinkMapping = mapping.handle;
  if (mapping.handle == 0 || mapping.alreadyExisted) {
    result = LinkResult::kNoMapping;
    return false;
  }
  state_.LinkView = port_.MapView(state_.LinkMapping);
  if (state_.LinkView == nullptr) {
    result = LinkResult::kNoView;
    return false;
  }
  state_.LinkNext = state_.LinkView;
  return true;
}

bool IpcClient::RunHandshake(LinkResult& result) {
  for (int pass = 0;
       pass < kHandshakePasses && (state_.FsuipcVersion == 0 || state_.SimVersion == 0); ++pass) {
    const bool passed = QueueRead(kFsuipcVersionOffset, BytesOf(state_.FsuipcVersion), result) &&
                        QueueRead(kSimVersionOffset, BytesOf(state_.SimVersion), result) &&
                        QueueWrite(kClientWordOffset, BytesOf(state_.LinkClientWord), result) &&
                        LinkProcess(result);
    if (!passed) return false;
    port_.Sleep(kHandshakePauseMs);
  }
  return true;
}

bool IpcClient::CheckVersion(std::int32_t requestedVersion, bool foundAsFs98Main,
                             LinkResult& result) {
  if (state_.FsuipcVersion < kMinimumFsuipcVersion ||
      (state_.SimVersion >> 16) != kSimVersionSignature) {
    result = foundAsFs98Main ? LinkResult::kWideClientNoSimulator : LinkResult::kWrongVersion;
    return false;
  }
  state_.SimVersion &= 0xFFFFu;
  if (requestedVersion != kAnySimulator &&
      static_cast<std::uint32_t>(requestedVersion) != state_.SimVersion) {
    result = LinkResult::kSimNotRequested;
    return false;
  }
  result = LinkResult::kConnected;
  return true;
}

void IpcClient::LinkClose() {
  state_.LinkWindow = 0;
  state_.LinkMessage = 0;
  state_.LinkNext = nullptr;
  queued_.clear();
  if (state_.LinkAtom != 0) {
    port_.DeleteGlobalAtom(static_cast<std::uint16_t>(state_.LinkAtom));
    state_.LinkAtom = 0;
  }
  if (state_.LinkView != nullptr) {
    port_.UnmapView(state_.LinkView);
    state_.LinkView = nullptr;
  }
  if (state_.LinkMapping != 0) {
    port_.CloseMapping(state_.LinkMapping);
    state_.LinkMapping = 0;
  }
}

std::size_t IpcClient::UsedBytes() const {
  return static_cast<std::size_t>(state_.LinkNext - state_.LinkView);
}

// Where a record with the header and data sizes goes, with its type, offset and size written;
// nullptr (and the reason in result) when the link is closed or the area has no room.
std::byte* IpcClient::StartRecord(std::uint32_t type, std::int32_t offset, std::size_t headerSize,
                                  std::size_t dataSize, LinkResult& result) {
  if (!IsOpen()) {
    result = LinkResult::kNotOpen;
    return nullptr;
  }
  const std::size_t room = kRequestFillLimit - kTerminatorSize - UsedBytes();
  if (dataSize > room || headerSize > room - dataSize) {
    result = LinkResult::kAreaFull;
    return nullptr;
  }
  std::byte* record = state_.LinkNext;
  StoreLittleEndian32(record + kRecordTypeField, type);
  StoreLittleEndian32(record + kRecordOffsetField, static_cast<std::uint32_t>(offset));
  StoreLittleEndian32(record + kRecordSizeField, static_cast<std::uint32_t>(dataSize));
  state_.LinkNext += headerSize + dataSize;
  result = LinkResult::kConnected;
  return record;
}

bool IpcClient::QueueRead(std::int32_t offset, std::span<std::byte> destination,
                          LinkResult& result) {
  std::byte* record = StartRecord(kReadRecord, offset, kReadHeaderSize, destination.size(), result);
  if (record == nullptr) return false;
  const auto token =
      static_cast<std::uint32_t>(1 + std::ranges::count(queued_, kReadRecord, &QueuedRecord::type));
  StoreLittleEndian32(record + kRecordTokenField, token);
  std::memset(record + kReadHeaderSize, 0, destination.size());
  queued_.push_back({kReadRecord, static_cast<std::uint32_t>(offset),
                     static_cast<std::size_t>(record - state_.LinkView), destination,
                     destination.size(), token});
  return true;
}

bool IpcClient::QueueWrite(std::int32_t offset, std::span<const std::byte> source,
                           LinkResult& result) {
  std::byte* record = StartRecord(kWriteRecord, offset, kWriteHeaderSize, source.size(), result);
  if (record == nullptr) return false;
  if (!source.empty()) std::memcpy(record + kWriteHeaderSize, source.data(), source.size());
  queued_.push_back({kWriteRecord,
                     static_cast<std::uint32_t>(offset),
                     static_cast<std::size_t>(record - state_.LinkView),
                     {},
                     source.size(),
                     0});
  return true;
}

bool IpcClient::LinkProcess(LinkResult& result) {
  if (!IsOpen()) {
    result = LinkResult::kNotOpen;
    return false;
  }
  if (state_.LinkNext == state_.LinkView) {
    result = LinkResult::kNothingQueued;
    return false;
  }
  StoreLittleEndian32(state_.LinkNext, kTerminatorRecord);
  const std::size_t terminatorPosition = UsedBytes();
  state_.LinkNext = state_.LinkView;
  const std::vector<QueuedRecord> batch = std::exchange(queued_, {});

  std::uintptr_t messageResult = 0;
  if (!SendBatch(messageResult)) {
    result = port_.LastError() != 0 ? LinkResult::kSendFailed : LinkResult::kTimedOut;
    return false;
  }
  if (messageResult != kBatchCarriedOut || !ReplyMatchesBatch(batch, terminatorPosition)) {
    result = LinkResult::kBadData;
    return false;
  }
  DeliverReads(batch, state_.LinkView);
  result = LinkResult::kConnected;
  return true;
}

bool IpcClient::SendBatch(std::uintptr_t& messageResult) {
  for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
    if (attempt > 0) port_.Sleep(kRetryPauseMs);
    if (port_.SendWithTimeout(state_.LinkWindow, state_.LinkMessage, state_.LinkAtom, 0,
                              kSendTimeoutMs, messageResult)) {
      return true;
    }
  }
  return false;
}

// The server must leave every header and the terminator as they were queued. Only positions
// the client wrote itself are looked at, so a reply can never lead the walk astray.
bool IpcClient::ReplyMatchesBatch(const std::vector<QueuedRecord>& batch,
                                  std::size_t terminatorPosition) const {
  const std::byte* view = state_.LinkView;
  const auto headerUnchanged = [view](const QueuedRecord& record) {
    const bool common =
        FieldIs(view, record.position, kRecordTypeField, record.type) &&
        FieldIs(view, record.position, kRecordOffsetField, record.offset) &&
        FieldIs(view, record.position, kRecordSizeField, static_cast<std::uint32_t>(record.size));
    return common && (record.type != kReadRecord ||
                      FieldIs(view, record.position, kRecordTokenField, record.token));
  };
  return std::ranges::all_of(batch, headerUnchanged) &&
         FieldIs(view, terminatorPosition, 0, kTerminatorRecord);
}

void IpcClient::DeliverReads(const std::vector<QueuedRecord>& batch, const std::byte* view) {
  for (const QueuedRecord& record : batch) {
    if (record.type == kReadRecord && !record.destination.empty()) {
      std::memcpy(record.destination.data(), view + record.position + kReadHeaderSize,
                  record.destination.size());
    }
  }
}

}  // namespace tarnwick
