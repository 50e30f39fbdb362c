#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "simlink/IpcPort.h"
#include "simlink/LinkResult.h"

namespace tarnwick {

// Simulator version codes as the server reports them at 0x3308 (lower half); as a requested
// version, kAnySimulator accepts every simulator.
inline constexpr std::int32_t kAnySimulator = 0;

// The lowest server version the link accepts, read at 0x3304 in the handshake.
inline constexpr std::int32_t kMinimumFsuipcVersion = 0x19980005;

// Where the link stands. All zero while closed; LinkView is non-zero exactly while open.
struct LinkState {
  WindowHandle LinkWindow = 0;
  std::uint32_t LinkMessage = 0;
  // The atom sign-extended to 32 bits, as it travels in wParam.
  std::int32_t LinkAtom = 0;
  MappingHandle LinkMapping = 0;
  std::byte* LinkView = nullptr;
  std::byte* LinkNext = nullptr;
  std::int32_t FsuipcVersion = 0;
  std::uint32_t SimVersion = 0;
  std::uint16_t LinkClientWord = 0;
};

// The mapping (and atom) name of a process: "FSASMLIB:IPC:<pid in upper-case hex>:1".
std::string MappingName(std::uint32_t processId);

// The client side of the simulator's IPC protocol: one link, batches of read and write
// requests in a shared area handed to the server with one message. Nothing is raised and
// nothing shown; each call reports through `result` and returns true on success.
//
// A read's destination never travels to the server. The record carries a token (the read's
// 1-based place in the batch), and after the reply the whole batch is checked against what was
// queued before any answer is copied, so a broken server can fail an exchange but never write
// outside the caller's destinations.
class IpcClient {
 public:
  explicit IpcClient(IpcPort& port) : port_(port) {}
  ~IpcClient() { LinkClose(); }
  IpcClient(const IpcClient&) = delete;
  IpcClient& operator=(const IpcClient&) = delete;

  // Forgets the link state without releasing anything.
  void LinkInit();
  // Finds the server, shares the request area with it and checks its version; requestedVersion
  // is a simulator version code, kAnySimulator for any.
  bool LinkOpen(std::int32_t requestedVersion, LinkResult& result);
  // Releases whatever the link holds; harmless when nothing is open.
  void LinkClose();

  // Queues a read of destination.size() bytes at the simulator offset. The destination must
  // live until LinkProcess, which fills it.
  bool QueueRead(std::int32_t offset, std::span<std::byte> destination, LinkResult& result);
  // Queues a write; the bytes are copied at once.
  bool QueueWrite(std::int32_t offset, std::span<const std::byte> source, LinkResult& result);
  // Sends the queued batch, waits for the server and delivers every read, or none.
  bool LinkProcess(LinkResult& result);

  const LinkState& State() const { return state_; }
  bool IsOpen() const { return state_.LinkView != nullptr; }

 private:
  struct QueuedRecord {
    std::uint32_t type;
    std::uint32_t offset;
    std::size_t position;
    std::span<std::byte> destination;  // reads only
    std::size_t size;
    std::uint32_t token;  // reads only
  };

  std::byte* StartRecord(std::uint32_t type, std::int32_t offset, std::size_t headerSize,
                         std::size_t dataSize, LinkResult& result);
  std::size_t UsedBytes() const;
  bool FindServerWindow(bool& foundAsFs98Main);
  bool ShareRequestArea(LinkResult& result);
  bool RunHandshake(LinkResult& result);
  bool CheckVersion(std::int32_t requestedVersion, bool foundAsFs98Main, LinkResult& result);
  bool SendBatch(std::uintptr_t& messageResult);
  bool ReplyMatchesBatch(const std::vector<QueuedRecord>& batch,
                         std::size_t terminatorPosition) const;
  static void DeliverReads(const std::vector<QueuedRecord>& batch, const std::byte* view);

  IpcPort& port_;
  LinkState state_;
  std::vector<QueuedRecord> queued_;
};

}  // namespace tarnwick
