#include "simlink/PosixIpcPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

namespace tarnwick {
namespace {

constexpr std::uint16_t kFirstAtom = 0xC000;
constexpr std::uint16_t kLastAtom = 0xFFFF;
constexpr std::size_t kLongestAtomName = 255;

using Clock = std::chrono::steady_clock;

// Waits until the socket is ready for the events or the deadline; false at the deadline or on
// an error (errno 0 for the deadline).
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  while (true) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      errno = 0;
      return false;
    }
    pollfd waiting{fd, events, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) errno = 0;
    return ready > 0;
  }
}

// Sends all bytes before the deadline (errno 0 when it passed); the descriptor goes with the
// first byte.
bool SendAll(int fd, std::span<const std::byte> bytes, int attached, Clock::time_point deadline) {
  while (!bytes.empty()) {
    const ssize_t sent = SendWithDescriptor(fd, bytes, attached);
    if (sent < 0 && errno == EINTR) continue;
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitFor(fd, POLLOUT, deadline)) return false;
      continue;
    }
    if (sent <= 0) {
      if (sent == 0) errno = EPIPE;
      return false;
    }
    attached = -1;
    bytes = bytes.subspan(static_cast<std::size_t>(sent));
  }
  return true;
}

// Receives exactly bytes.size() bytes before the deadline (errno 0 when it passed).
bool ReceiveAll(int fd, std::span<std::byte> bytes, Clock::time_point deadline) {
  while (!bytes.empty()) {
    if (!WaitFor(fd, POLLIN, deadline)) return false;
    const ssize_t received = recv(fd, bytes.data(), bytes.size(), 0);
    if (received < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
    if (received <= 0) {
      if (received == 0) errno = ECONNRESET;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(received));
  }
  return true;
}

// A memory file of the size that can no longer shrink, grow or take other seals.
UniqueFd SealedMemory(const std::string& name, std::size_t size) {
  UniqueFd memory(memfd_create(name.c_str(), MFD_CLOEXEC | MFD_ALLOW_SEALING));
  if (!memory.IsValid()) return memory;
  if (ftruncate(memory.Get(), static_cast<off_t>(size)) != 0 ||
      fcntl(memory.Get(), F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_SEAL) != 0) {
    const int error = errno;
    memory.Reset();
    errno = error;
  }
  return memory;
}

}  // namespace

PosixIpcPort::PosixIpcPort(std::filesystem::path directory, uid_t owner)
    : directory_(std::move(directory)), owner_(owner) {}

PosixIpcPort::~PosixIpcPort() {
  for (const auto& [view, size] : views_) munmap(view, size);
}

WindowHandle PosixIpcPort::FindTopLevelWindow(const std::string& className) {
  if (className.empty() || className.find('/') != std::string::npos) return 0;
  // Like a window that is found while it hangs, a listener whose queue is full is there: the
  // messages connect later, each within its own time.
  UniqueFd connection = Connect(className, Clock::now());
  if (!connection.IsValid() && errno != EAGAIN) return 0;
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (windows_[i].className == className) {
      windows_[i].connection = std::move(connection);
      return i + 1;
    }
  }
  windows_.push_back({className, std::move(connection)});
  return windows_.size();
}

std::uint32_t PosixIpcPort::RegisterMessage(const std::string& name) {
  return StandInMessageId(name);
}

std::uint32_t PosixIpcPort::CurrentProcessId() { return static_cast<std::uint32_t>(getpid()); }

std::uint16_t PosixIpcPort::AddGlobalAtom(const std::string& name) {
  if (name.empty() || name.size() > kLongestAtomName) return 0;
  for (auto& [value, atom] : atoms_) {
    if (atom.name == name) {
      ++atom.references;
      return value;
    }
  }
  for (std::uint32_t value = kFirstAtom; value <= kLastAtom; ++value) {
    const auto atom = static_cast<std::uint16_t>(value);
    if (!atoms_.contains(atom)) {
      atoms_[atom] = {name, 1};
      return atom;
    }
  }
  return 0;
}

void PosixIpcPort::DeleteGlobalAtom(std::uint16_t atom) {
  const auto found = atoms_.find(atom);
  if (found != atoms_.end() && --found->second.references == 0) atoms_.erase(found);
}

// The memory file has no name in the file system, so nothing is left behind when the process
// dies; the name only travels in the request frames.
MappingCreation PosixIpcPort::CreateNamedMapping(const std::string& name, std::uint32_t size) {
  UniqueFd memory = SealedMemory(name, size);
  if (!memory.IsValid()) {
    Fail(errno);
    return {};
  }
  const MappingHandle handle = nextMapping_++;
  mappings_[handle] = {name, std::move(memory), size};
  return {handle, false};
}

std::byte* PosixIpcPort::MapView(MappingHandle mapping) {
  const auto found = mappings_.find(mapping);
  if (found == mappings_.end()) return nullptr;
  void* view = mmap(nullptr, found->second.size, PROT_READ | PROT_WRITE, MAP_SHARED,
                    found->second.memory.Get(), 0);
  if (view == MAP_FAILED) {
    Fail(errno);
    return nullptr;
  }
  auto* bytes = static_cast<std::byte*>(view);
  views_[bytes] = found->second.size;
  return bytes;
}

void PosixIpcPort::UnmapView(std::byte* view) {
  const auto found = views_.find(view);
  if (found == views_.end()) return;
  munmap(found->first, found->second);
  views_.erase(found);
}

void PosixIpcPort::CloseMapping(MappingHandle mapping) {
  const auto found = mappings_.find(mapping);
  if (found == mappings_.end()) return;
  mappings_.erase(found);
}

bool PosixIpcPort::SendWithTimeout(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                                   std::int32_t lParam, std::uint32_t timeoutMs,
                                   std::uintptr_t& messageResult) {
  if (window == 0 || window > windows_.size()) return Fail(EBADF);
  const Deadline deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  Window& target = windows_[window - 1];
  if (!target.connection.IsValid()) {
    target.connection = Connect(target.className, deadline);
    // A listener that did not take the connection in time has timed out, as a message would.
    if (!target.connection.IsValid()) return Fail(errno == EAGAIN ? 0 : errno);
  }
  const RequestFrame request{nextSequence_++, message, static_cast<std::uint32_t>(wParam),
                             static_cast<std::uint32_t>(lParam), AtomName(wParam)};
  return ExchangeFrames(target, request, deadline, messageResult);
}

// A connection to the class's socket, made only in a private directory and kept only when the
// listener runs as the owner. Invalid (errno set) otherwise.
UniqueFd PosixIpcPort::Connect(const std::string& className, Deadline deadline) const {
  if (PrivateDirectoryProblem(directory_, owner_)) {
    errno = EACCES;
    return UniqueFd();
  }
  UniqueFd connection = ConnectToWindowSocket(directory_ / className, deadline);
  if (connection.IsValid() && PeerUserId(connection.Get()) != owner_) {
    connection.Reset();
    errno = EACCES;
  }
  return connection;
}

// One request frame out (with the mapping's memory file when it names one) and replies read
// until the one that repeats its sequence number; replies to earlier messages are dropped. A
// connection that timed out or broke is closed.
bool PosixIpcPort::ExchangeFrames(Window& window, const RequestFrame& request, Deadline deadline,
                                  std::uintptr_t& messageResult) {
  const int socket = window.connection.Get();
  const RequestFrameBytes bytes = EncodeRequestFrame(request);
  bool answered = SendAll(socket, bytes, MemoryNamed(request.mappingName), deadline);
  std::optional<ReplyFrame> reply;
  while (answered && !(reply && reply->sequence == request.sequence)) {
    ReplyFrameBytes replyBytes{};
    answered = ReceiveAll(socket, replyBytes, deadline);
    reply = DecodeReplyFrame(replyBytes);
    if (answered && !reply) {
      errno = EPROTO;
      answered = false;
    }
  }
  if (!answered) {
    const int error = errno;
    window.connection.Reset();
    return Fail(error);
  }
  messageResult = reply->messageResult;
  return true;
}

int PosixIpcPort::MemoryNamed(const std::string& name) const {
  if (name.empty()) return -1;
  for (const auto& [handle, mapping] : mappings_) {
    if (mapping.name == name) return mapping.memory.Get();
  }
  return -1;
}

std::string PosixIpcPort::AtomName(std::int32_t wParam) const {
  const auto found = atoms_.find(static_cast<std::uint16_t>(wParam & 0xFFFF));
  return found == atoms_.end() ? std::string() : found->second.name;
}

bool PosixIpcPort::Fail(int error) {
  lastError_ = static_cast<std::uint32_t>(error);
  return false;
}

std::uint32_t PosixIpcPort::LastError() { return lastError_; }

void PosixIpcPort::Sleep(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace tarnwick
