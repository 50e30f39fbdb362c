#include "simlink/PosixIpcPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "simlink/StandInTransport.h"

namespace tarnwick {
namespace {

constexpr std::uint16_t kFirstAtom = 0xC000;
constexpr std::uint16_t kLastAtom = 0xFFFF;
constexpr std::size_t kLongestAtomName = 255;

using Clock = std::chrono::steady_clock;

bool SendAll(int fd, std::span<const std::byte> bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(sent));
  }
  return true;
}

enum class ReceiveOutcome { kReceived, kTimedOut, kBroken };

// Receives exactly bytes.size() bytes before the deadline.
ReceiveOutcome ReceiveAll(int fd, std::span<std::byte> bytes, Clock::time_point deadline) {
  while (!bytes.empty()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return ReceiveOutcome::kTimedOut;
    pollfd waiting{fd, POLLIN, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return ReceiveOutcome::kBroken;
    if (ready == 0) return ReceiveOutcome::kTimedOut;
    const ssize_t received = recv(fd, bytes.data(), bytes.size(), 0);
    if (received < 0 && errno == EINTR) continue;
    if (received <= 0) {
      if (received == 0) errno = ECONNRESET;
      return ReceiveOutcome::kBroken;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(received));
  }
  return ReceiveOutcome::kReceived;
}

}  // namespace

PosixIpcPort::PosixIpcPort(std::filesystem::path directory) : directory_(std::move(directory)) {}

PosixIpcPort::~PosixIpcPort() {
  for (const auto& [view, size] : views_) munmap(view, size);
  for (const auto& [handle, mapping] : mappings_) shm_unlink(mapping.objectName.c_str());
}

WindowHandle PosixIpcPort::FindTopLevelWindow(const std::string& className) {
  if (className.empty() || className.find('/') != std::string::npos) return 0;
  UniqueFd connection = ConnectToWindowSocket(directory_ / className);
  if (!connection.IsValid()) return 0;
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

// The object's name holds this process's id, so an object that is there already was left by a
// dead process with the same id: it is removed once and made again.
MappingCreation PosixIpcPort::CreateNamedMapping(const std::string& name, std::uint32_t size) {
  const std::string objectName = SharedMemoryName(name);
  UniqueFd object(shm_open(objectName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (!object.IsValid() && errno == EEXIST) {
    shm_unlink(objectName.c_str());
    object = UniqueFd(shm_open(objectName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  }
  if (!object.IsValid()) {
    const bool existed = errno == EEXIST;
    Fail(errno);
    return {0, existed};
  }
  if (ftruncate(object.Get(), static_cast<off_t>(size)) != 0) {
    Fail(errno);
    shm_unlink(objectName.c_str());
    return {};
  }
  const MappingHandle handle = nextMapping_++;
  mappings_[handle] = {objectName, std::move(object), size};
  return {handle, false};
}

std::byte* PosixIpcPort::MapView(MappingHandle mapping) {
  const auto found = mappings_.find(mapping);
  if (found == mappings_.end()) return nullptr;
  void* view = mmap(nullptr, found->second.size, PROT_READ | PROT_WRITE, MAP_SHARED,
                    found->second.object.Get(), 0);
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
  shm_unlink(found->second.objectName.c_str());
  mappings_.erase(found);
}

bool PosixIpcPort::SendWithTimeout(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                                   std::int32_t lParam, std::uint32_t timeoutMs,
                                   std::uintptr_t& messageResult) {
  if (window == 0 || window > windows_.size()) return Fail(EBADF);
  Window& target = windows_[window - 1];
  if (!target.connection.IsValid()) {
    target.connection = ConnectToWindowSocket(directory_ / target.className);
    if (!target.connection.IsValid()) return Fail(errno);
  }
  return ExchangeFrames(target, message, wParam, lParam, timeoutMs, messageResult);
}

// One request frame out, one reply frame back. A connection that timed out or broke is
// dropped, so that a late reply is never taken for the answer to a later message.
bool PosixIpcPort::ExchangeFrames(Window& window, std::uint32_t message, std::int32_t wParam,
                                  std::int32_t lParam, std::uint32_t timeoutMs,
                                  std::uintptr_t& messageResult) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  const RequestFrameBytes request =
      EncodeRequestFrame({message, static_cast<std::uint32_t>(wParam),
                          static_cast<std::uint32_t>(lParam), AtomName(wParam)});
  if (!SendAll(window.connection.Get(), request)) {
    const int error = errno != 0 ? errno : EPIPE;
    window.connection.Reset();
    return Fail(error);
  }
  ReplyFrameBytes reply{};
  const ReceiveOutcome outcome = ReceiveAll(window.connection.Get(), reply, deadline);
  if (outcome != ReceiveOutcome::kReceived) {
    const int error = outcome == ReceiveOutcome::kTimedOut ? 0 : errno;
    window.connection.Reset();
    return Fail(error);
  }
  const std::optional<std::uint32_t> result = DecodeReplyFrame(reply);
  if (!result) {
    window.connection.Reset();
    return Fail(EPROTO);
  }
  messageResult = *result;
  return true;
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
