#include "simlink/StandInTransport.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "simlink/RequestArea.h"

namespace tarnwick {
namespace {

constexpr std::uint32_t kFnvOffsetBasis = 2166136261u;
constexpr std::uint32_t kFnvPrime = 16777619u;
constexpr std::uint32_t kFirstRegisteredMessage = 0xC000;
constexpr std::uint32_t kRegisteredMessageCount = 0x4000;

const char* NonEmptyEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

std::filesystem::path StandInDirectory() {
  if (const char* dir = NonEmptyEnvironment("TARNWICK_IPC_DIR")) return dir;
  if (const char* runtime = NonEmptyEnvironment("XDG_RUNTIME_DIR")) {
    return std::filesystem::path(runtime) / "tarnwick-ipc";
  }
  return "/tmp/tarnwick-ipc-" + std::to_string(getuid());
}

std::uint32_t StandInMessageId(std::string_view name) {
  std::uint32_t hash = kFnvOffsetBasis;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= kFnvPrime;
  }
  return kFirstRegisteredMessage + hash % kRegisteredMessageCount;
}

std::string SharedMemoryName(std::string_view mappingName) {
  // Appended rather than "/" + std::string(...): GCC 12 at -O3 reports a false -Wrestrict there.
  std::string name = "/";
  name += mappingName;
  return name;
}

RequestFrameBytes EncodeRequestFrame(const RequestFrame& frame) {
  RequestFrameBytes bytes{};
  StoreLittleEndian32(bytes.data(), kFrameMagic);
  StoreLittleEndian32(bytes.data() + 4, frame.message);
  StoreLittleEndian32(bytes.data() + 8, frame.wParam);
  StoreLittleEndian32(bytes.data() + 12, frame.lParam);
  const std::size_t nameLength = std::min(frame.mappingName.size(), kFrameNameSize - 1);
  std::memcpy(bytes.data() + 16, frame.mappingName.data(), nameLength);
  return bytes;
}

std::optional<RequestFrame> DecodeRequestFrame(
    std::span<const std::byte, kRequestFrameSize> bytes) {
  if (LoadLittleEndian32(bytes.data()) != kFrameMagic) return std::nullopt;
  const auto* name = reinterpret_cast<const char*>(bytes.data() + 16);
  return RequestFrame{LoadLittleEndian32(bytes.data() + 4), LoadLittleEndian32(bytes.data() + 8),
                      LoadLittleEndian32(bytes.data() + 12),
                      std::string(name, strnlen(name, kFrameNameSize))};
}

ReplyFrameBytes EncodeReplyFrame(std::uint32_t messageResult) {
  ReplyFrameBytes bytes{};
  StoreLittleEndian32(bytes.data(), kFrameMagic);
  StoreLittleEndian32(bytes.data() + 4, messageResult);
  return bytes;
}

std::optional<std::uint32_t> DecodeReplyFrame(std::span<const std::byte, kReplyFrameSize> bytes) {
  if (LoadLittleEndian32(bytes.data()) != kFrameMagic) return std::nullopt;
  return LoadLittleEndian32(bytes.data() + 4);
}

UniqueFd ConnectToWindowSocket(const std::filesystem::path& socketPath) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = socketPath.string();
  if (path.size() >= sizeof(address.sun_path)) {
    errno = ENAMETOOLONG;
    return UniqueFd();
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  UniqueFd socketFd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!socketFd.IsValid()) return socketFd;
  if (connect(socketFd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
    const int error = errno;
    socketFd.Reset();
    errno = error;
  }
  return socketFd;
}

}  // namespace tarnwick
