#pragma once

// The POSIX stand-in for the Windows calls of the simulator link, as both sides see it:
// - a top-level window of class C is a listening Unix-domain stream socket at <dir>/C;
// - a message is one 40-byte request frame on a connection, answered by one 8-byte reply frame
//   (all fields little-endian): request = magic, message id, wParam, lParam, the mapping name
//   in 24 bytes padded with NUL; reply = magic, message result;
// - the shared area is the POSIX shared-memory object "/" + mapping name.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "simlink/UniqueFd.h"

namespace tarnwick {

inline constexpr std::uint32_t kFrameMagic = 0x50495754;
inline constexpr std::size_t kRequestFrameSize = 40;
inline constexpr std::size_t kReplyFrameSize = 8;
inline constexpr std::size_t kFrameNameSize = 24;

using RequestFrameBytes = std::array<std::byte, kRequestFrameSize>;
using ReplyFrameBytes = std::array<std::byte, kReplyFrameSize>;

struct RequestFrame {
  std::uint32_t message = 0;
  std::uint32_t wParam = 0;
  std::uint32_t lParam = 0;
  std::string mappingName;  // at most 23 characters
};

// $TARNWICK_IPC_DIR, else $XDG_RUNTIME_DIR/tarnwick-ipc, else /tmp/tarnwick-ipc-<uid>.
std::filesystem::path StandInDirectory();

// A registered message's id: 0xC000 + (FNV-1a 32-bit hash of the name) mod 0x4000.
std::uint32_t StandInMessageId(std::string_view name);

// The shared-memory object's name for a mapping name.
std::string SharedMemoryName(std::string_view mappingName);

RequestFrameBytes EncodeRequestFrame(const RequestFrame& frame);
// Nothing when the magic is wrong.
std::optional<RequestFrame> DecodeRequestFrame(std::span<const std::byte, kRequestFrameSize> bytes);
ReplyFrameBytes EncodeReplyFrame(std::uint32_t messageResult);
std::optional<std::uint32_t> DecodeReplyFrame(std::span<const std::byte, kReplyFrameSize> bytes);

// A connection to the window socket at the path; invalid (with errno set) when nobody listens.
UniqueFd ConnectToWindowSocket(const std::filesystem::path& socketPath);

}  // namespace tarnwick
