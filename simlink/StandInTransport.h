#pragma once

// The POSIX stand-in for the Windows calls of the simulator link, as both sides see it:
// - a top-level window of class C is a listening Unix-domain stream socket at <dir>/C, in a
//   directory that belongs to the user alone; each side talks only to a peer of its own user;
// - a message is one 44-byte request frame on a connection, answered by one 12-byte reply frame
//   that repeats the request's sequence number (all fields little-endian): request = magic,
//   sequence, message id, wParam, lParam, the mapping name in 24 bytes padded with NUL;
//   reply = magic, sequence, message result;
// - the shared area is a memory file sealed against shrinking and growing, whose descriptor
//   travels with every request frame that names a mapping (SCM_RIGHTS on its first byte).
#include <sys/types.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "simlink/UniqueFd.h"

namespace tarnwick {

inline constexpr std::uint32_t kFrameMagic = 0x32495754;  // "TWI2"
inline constexpr std::size_t kRequestFrameSize = 44;
inline constexpr std::size_t kReplyFrameSize = 12;
inline constexpr std::size_t kFrameNameSize = 24;

using RequestFrameBytes = std::array<std::byte, kRequestFrameSize>;
using ReplyFrameBytes = std::array<std::byte, kReplyFrameSize>;

struct RequestFrame {
  std::uint32_t sequence = 0;
  std::uint32_t message = 0;
  std::uint32_t wParam = 0;
  std::uint32_t lParam = 0;
  std::string mappingName;  // at most 23 characters
};

struct ReplyFrame {
  std::uint32_t sequence = 0;
  std::uint32_t messageResult = 0;
};

// $TARNWICK_IPC_DIR, else $XDG_RUNTIME_DIR/tarnwick-ipc, else /tmp/tarnwick-ipc-<uid>.
std::filesystem::path StandInDirectory();

// Why the directory cannot be trusted with the sockets of owner's simulator link (it is a
// symbolic link or no directory, belongs to another user or others may enter it); nothing when
// it is owner's alone.
std::optional<std::string> PrivateDirectoryProblem(const std::filesystem::path& directory,
                                                   uid_t owner);

// A registered message's id: 0xC000 + (FNV-1a 32-bit hash of the name) mod 0x4000.
std::uint32_t StandInMessageId(std::string_view name);

RequestFrameBytes EncodeRequestFrame(const RequestFrame& frame);
// Nothing when the magic is wrong.
std::optional<RequestFrame> DecodeRequestFrame(std::span<const std::byte, kRequestFrameSize> bytes);
ReplyFrameBytes EncodeReplyFrame(const ReplyFrame& frame);
std::optional<ReplyFrame> DecodeReplyFrame(std::span<const std::byte, kReplyFrameSize> bytes);

// A non-blocking connection to the window socket at the path, tried until the deadline while
// the listener's queue is full. Invalid when there is none, with errno EAGAIN when someone
// listens but did not take the connection in time, and another code when nobody listens.
UniqueFd ConnectToWindowSocket(const std::filesystem::path& socketPath,
                               std::chrono::steady_clock::time_point deadline);

// Sends bytes on a connected socket with the descriptor attached (none when it is -1): what
// sendmsg returns, without SIGPIPE.
ssize_t SendWithDescriptor(int socket, std::span<const std::byte> bytes, int attached);
// Reads at most bytes.size() bytes; the first descriptor that came with them replaces attached,
// any other is closed. What recvmsg returns.
ssize_t ReceiveWithDescriptor(int socket, std::span<std::byte> bytes, UniqueFd& attached);

// The user of the process at the other end of a connected socket, or nothing.
std::optional<uid_t> PeerUserId(int socket);

}  // namespace tarnwick
