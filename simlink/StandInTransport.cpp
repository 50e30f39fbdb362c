#include "simlink/StandInTransport.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "simlink/RequestArea.h"

namespace tarnwick {
namespace {

constexpr std::uint32_t kFnvOffsetBasis = 2166136261u;
constexpr std::uint32_t kFnvPrime = 16777619u;
constexpr std::uint32_t kFirstRegisteredMessage = 0xC000;
constexpr std::uint32_t kRegisteredMessageCount = 0x4000;

constexpr std::size_t kNameField = 20;
constexpr auto kBusyListenerPause = std::chrono::milliseconds(10);

using Clock = std::chrono::steady_clock;

const char* NonEmptyEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

UniqueFd Failed(int error) {
  errno = error;
  return UniqueFd();
}

// Waits a little before the next try; false when the deadline has come.
bool PauseBefore(Clock::time_point deadline) {
  const auto now = Clock::now();
  if (now >= deadline) return false;
  std::this_thread::sleep_for(std::min<Clock::duration>(kBusyListenerPause, deadline - now));
  return true;
}

UniqueFd FinishConnecting(UniqueFd socketFd, Clock::time_point deadline) {
  while (true) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd waiting{socketFd.Get(), POLLOUT, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return Failed(ready == 0 ? EAGAIN : errno);
    int error = 0;
    socklen_t length = sizeof(error);
    if (getsockopt(socketFd.Get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
      return Failed(errno);
    if (error != 0) return Failed(error);
    return socketFd;
  }
}

}  // namespace

std::filesystem::path StandInDirectory() {
  if (const char* dir = NonEmptyEnvironment("TARNWICK_IPC_DIR")) return dir;
  if (const char* runtime = NonEmptyEnvironment("XDG_RUNTIME_DIR")) {
    return std::filesystem::path(runtime) / "tarnwick-ipc";
  }
  return "/tmp/tarnwick-ipc-" + std::to_string(getuid());
}

std::optional<std::string> PrivateDirectoryProblem(const std::filesystem::path& directory,
                                                   uid_t owner) {
  struct stat status {};
  if (lstat(directory.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    return directory.string() + " is not a directory";
  }
  if (status.st_uid != owner || (status.st_mode & 077) != 0) {
    return directory.string() + " must belong to this user alone (mode 0700)";
  }
  return std::nullopt;
}

std::uint32_t StandInMessageId(std::string_view name) {
  std::uint32_t hash = kFnvOffsetBasis;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= kFnvPrime;
  }
  return kFirstRegisteredMessage + hash % kRegisteredMessageCount;
}

RequestFrameBytes EncodeRequestFrame(const RequestFrame& frame) {
  RequestFrameBytes bytes{};
  StoreLittleEndian32(bytes.data(), kFrameMagic);
  StoreLittleEndian32(bytes.data() + 4, frame.sequence);
  StoreLittleEndian32(bytes.data() + 8, frame.message);
  StoreLittleEndian32(bytes.data() + 12, frame.wParam);
  StoreLittleEndian32(bytes.data() + 16, frame.lParam);
  const std::size_t nameLength = std::min(frame.mappingName.size(), kFrameNameSize - 1);
  std::memcpy(bytes.data() + kNameField, frame.mappingName.data(), nameLength);
  return bytes;
}

std::optional<RequestFrame> DecodeRequestFrame(
    std::span<const std::byte, kRequestFrameSize> bytes) {
  if (LoadLittleEndian32(bytes.data()) != kFrameMagic) return std::nullopt;
  const auto* name = reinterpret_cast<const char*>(bytes.data() + kNameField);
  return RequestFrame{LoadLittleEndian32(bytes.data() + 4), LoadLittleEndian32(bytes.data() + 8),
                      LoadLittleEndian32(bytes.data() + 12), LoadLittleEndian32(bytes.data() + 16),
                      std::string(name, strnlen(name, kFrameNameSize))};
}

ReplyFrameBytes EncodeReplyFrame(const ReplyFrame& frame) {
  ReplyFrameBytes bytes{};
  StoreLittleEndian32(bytes.data(), kFrameMagic);
  StoreLittleEndian32(bytes.data() + 4, frame.sequence);
  StoreLittleEndian32(bytes.data() + 8, frame.messageResult);
  return bytes;
}

std::optional<ReplyFrame> DecodeReplyFrame(std::span<const std::byte, kReplyFrameSize> bytes) {
  if (LoadLittleEndian32(bytes.data()) != kFrameMagic) return std::nullopt;
  return ReplyFrame{LoadLittleEndian32(bytes.data() + 4), LoadLittleEndian32(bytes.data() + 8)};
}

// Unix-domain sockets connect at once or, when the listener's queue is full, fail with EAGAIN
// (other systems may say EINPROGRESS and finish later): either way the wait ends at the deadline.
UniqueFd ConnectToWindowSocket(const std::filesystem::path& socketPath,
                               Clock::time_point deadline) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = socketPath.string();
  if (path.size() >= sizeof(address.sun_path)) {
    errno = ENAMETOOLONG;
    return UniqueFd();
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  UniqueFd socketFd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!socketFd.IsValid()) return socketFd;
  const auto* peer = reinterpret_cast<const sockaddr*>(&address);
  while (connect(socketFd.Get(), peer, sizeof(address)) != 0) {
    const int error = errno;
    if (error == EISCONN) break;
    if (error == EINPROGRESS || error == EALREADY || error == EINTR) {
      return FinishConnecting(std::move(socketFd), deadline);
    }
    if (error != EAGAIN) return Failed(error);
    if (!PauseBefore(deadline)) return Failed(EAGAIN);
  }
  return socketFd;
}

std::optional<uid_t> PeerUserId(int socket) {
  ucred credentials{};
  socklen_t length = sizeof(credentials);
  if (getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) return std::nullopt;
  return credentials.uid;
}

ssize_t SendWithDescriptor(int socket, std::span<const std::byte> bytes, int attached) {
  iovec chunk{const_cast<std::byte*>(bytes.data()), bytes.size()};
  msghdr message{};
  message.msg_iov = &chunk;
  message.msg_iovlen = 1;
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
  if (attached >= 0) {
    message.msg_control = control;
    message.msg_controllen = sizeof(control);
    cmsghdr* header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = SOL_SOCKET;
    header->cmsg_type = SCM_RIGHTS;
    header->cmsg_len = CMSG_LEN(sizeof(int));
    std::memcpy(CMSG_DATA(header), &attached, sizeof(int));
  }
  return sendmsg(socket, &message, MSG_NOSIGNAL);
}

ssize_t ReceiveWithDescriptor(int socket, std::span<std::byte> bytes, UniqueFd& attached) {
  // Room for a few descriptors: any beyond the first are closed unused.
  constexpr std::size_t kMostAttached = 4;
  iovec chunk{bytes.data(), bytes.size()};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * kMostAttached)];
  msghdr message{};
  message.msg_iov = &chunk;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof(control);
  const ssize_t received = recvmsg(socket, &message, MSG_CMSG_CLOEXEC);
  if (received < 0) return received;
  for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr;
       header = CMSG_NXTHDR(&message, header)) {
    if (header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_RIGHTS) continue;
    const std::size_t count = (header->cmsg_len - CMSG_LEN(0)) / sizeof(int);
    for (std::size_t i = 0; i < count; ++i) {
      int fd = -1;
      std::memcpy(&fd, CMSG_DATA(header) + i * sizeof(int), sizeof(int));
      UniqueFd taken(fd);
      if (i == 0) attached = std::move(taken);
    }
  }
  return received;
}

}  // namespace tarnwick
