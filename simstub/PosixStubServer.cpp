#include "simstub/PosixStubServer.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "simlink/RequestArea.h"

namespace tarnwick {
namespace {

constexpr int kListenBacklog = 16;
constexpr std::uint32_t kBatchCarriedOut = 1;
constexpr std::uint32_t kNotHandled = 0;

[[noreturn]] void Refuse(const std::string& reason) { throw std::runtime_error(reason); }

std::string SystemError() { return std::strerror(errno); }

constexpr auto kAcceptPause = std::chrono::milliseconds(100);

// The directory holds the sockets of this user's simulator link: it must be theirs alone.
void PreparePrivateDirectory(const std::filesystem::path& directory) {
  if (mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) {
    Refuse("cannot make the directory " + directory.string() + ": " + SystemError());
  }
  if (const auto problem = PrivateDirectoryProblem(directory, getuid())) Refuse(*problem);
}

sockaddr_un SocketAddress(const std::filesystem::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string text = path.string();
  if (text.size() >= sizeof(address.sun_path)) Refuse("the socket path is too long: " + text);
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  return address;
}

// A socket file nobody listens on is left over from a server that died: it is replaced.
void ClaimSocketPath(const std::filesystem::path& path) {
  if (ConnectToWindowSocket(path, std::chrono::steady_clock::now()).IsValid() || errno == EAGAIN) {
    Refuse("another server already listens at " + path.string());
  }
  struct stat status {};
  if (lstat(path.c_str(), &status) != 0) return;
  if (!S_ISSOCK(status.st_mode)) Refuse(path.string() + " exists and is not a socket");
  unlink(path.c_str());
}

UniqueFd Listen(const std::filesystem::path& path) {
  const sockaddr_un address = SocketAddress(path);
  UniqueFd listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!listener.IsValid()) Refuse("cannot make a socket: " + SystemError());
  if (bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener.Get(), kListenBacklog) != 0) {
    Refuse("cannot listen at " + path.string() + ": " + SystemError());
  }
  return listener;
}

bool IsPlainName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos;
}

// Descriptors that run out are worth a pause; anything else ends this round of accepting.
bool OutOfResources(int error) {
  return error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM;
}

// A memory file that nobody can shrink or grow any more, on the memory file system (not on huge
// pages, which may fail to fault in), and at least as large as the request area: mapping it can
// never end in SIGBUS, whatever the client does.
bool IsSealedRequestArea(int area) {
  constexpr int kFixedSize = F_SEAL_SHRINK | F_SEAL_GROW;
  const int seals = fcntl(area, F_GET_SEALS);
  struct statfs fileSystem {};
  struct stat status {};
  return seals >= 0 && (seals & kFixedSize) == kFixedSize && fstatfs(area, &fileSystem) == 0 &&
         fileSystem.f_type == TMPFS_MAGIC && fstat(area, &status) == 0 && S_ISREG(status.st_mode) &&
         status.st_size >= static_cast<off_t>(kRequestAreaSize);
}

}  // namespace

PosixStubServer::PosixStubServer(std::filesystem::path directory, StubServerOptions options,
                                 SimulatorSetup setup, WriteObserver onWrite)
    : options_(std::move(options)),
      socketPath_(directory / options_.windowClass),
      onWrite_(std::move(onWrite)) {
  if (!IsPlainName(options_.windowClass)) Refuse("bad window class " + options_.windowClass);
  PreparePrivateDirectory(directory);
  ClaimSocketPath(socketPath_);
  listener_ = Listen(socketPath_);
  LoadSimulatorSetup(memory_, setup);
}

PosixStubServer::~PosixStubServer() {
  connections_.clear();
  listener_.Reset();
  unlink(socketPath_.c_str());
}

void PosixStubServer::Serve(int stopFd) {
  while (true) {
    const bool accepting = Clock::now() >= acceptingAgain_;
    std::vector<pollfd> waiting = WaitingList(stopFd, accepting);
    const auto pause =
        std::chrono::ceil<std::chrono::milliseconds>(acceptingAgain_ - Clock::now()).count();
    const int ready =
        poll(waiting.data(), waiting.size(), accepting ? -1 : static_cast<int>(pause));
    ++wakeups_;
    if (ready < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error("poll failed: " + SystemError());
    }
    if (waiting[0].revents != 0) return;
    std::vector<Connection> open;
    for (std::size_t i = 0; i < connections_.size(); ++i) {
      if (waiting[i + 2].revents == 0 || ServeConnection(connections_[i])) {
        open.push_back(std::move(connections_[i]));
      }
    }
    connections_ = std::move(open);
    if (waiting[1].revents != 0) AcceptConnections();
  }
}

// The stop descriptor, the listener (left out, as a negative descriptor, while accepting
// pauses) and every connection.
std::vector<pollfd> PosixStubServer::WaitingList(int stopFd, bool accepting) const {
  std::vector<pollfd> waiting{{stopFd, POLLIN, 0}, {accepting ? listener_.Get() : -1, POLLIN, 0}};
  for (const Connection& connection : connections_) {
    waiting.push_back({connection.socket.Get(), POLLIN, 0});
  }
  return waiting;
}

void PosixStubServer::AcceptConnections() {
  while (true) {
    UniqueFd socket(accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (socket.IsValid()) {
      if (PeerUserId(socket.Get()) == getuid()) Keep(std::move(socket));
      continue;
    }
    if (errno == EINTR || errno == ECONNABORTED) continue;
    if (OutOfResources(errno)) acceptingAgain_ = Clock::now() + kAcceptPause;
    return;
  }
}

void PosixStubServer::Keep(UniqueFd socket) {
  if (connections_.size() >= kMostConnections) {
    connections_.erase(std::ranges::min_element(connections_, {}, &Connection::lastActive));
  }
  Connection kept;
  kept.socket = std::move(socket);
  kept.lastActive = ++activity_;
  connections_.push_back(std::move(kept));
}

// Reads what has arrived, never beyond the frame being read (so that a descriptor always comes
// with its own frame), and answers every whole frame. False once the connection is over.
bool PosixStubServer::ServeConnection(Connection& connection) {
  connection.lastActive = ++activity_;
  while (true) {
    const std::span<std::byte> rest = std::span(connection.frame).subspan(connection.filled);
    const ssize_t received = ReceiveWithDescriptor(connection.socket.Get(), rest, connection.area);
    if (received == 0) return false;
    if (received < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    connection.filled += static_cast<std::size_t>(received);
    if (connection.filled == connection.frame.size() && !AnswerFrame(connection)) return false;
  }
}

bool PosixStubServer::AnswerFrame(Connection& connection) {
  connection.filled = 0;
  const UniqueFd area = std::move(connection.area);
  const std::optional<RequestFrame> request = DecodeRequestFrame(connection.frame);
  if (!request) return false;
  const std::optional<std::uint32_t> result = Answer(*request, area.Get());
  if (!result) return true;
  const ReplyFrameBytes reply = EncodeReplyFrame({request->sequence, *result});
  return send(connection.socket.Get(), reply.data(), reply.size(), MSG_NOSIGNAL) ==
         static_cast<ssize_t>(reply.size());
}

std::optional<std::uint32_t> PosixStubServer::Answer(const RequestFrame& request, int area) {
  if (options_.hang) return std::nullopt;
  if (request.message != StandInMessageId(kIpcMessageName)) return kNotHandled;
  return CarryOutBatch(area);
}

// The area is mapped for the one batch only.
std::uint32_t PosixStubServer::CarryOutBatch(int area) {
  if (area < 0 || !IsSealedRequestArea(area)) return kNotHandled;
  void* view = mmap(nullptr, kRequestAreaSize, PROT_READ | PROT_WRITE, MAP_SHARED, area, 0);
  if (view == MAP_FAILED) return kNotHandled;
  const bool carriedOut =
      CarryOutRequests({static_cast<std::byte*>(view), kRequestAreaSize}, memory_, onWrite_);
  munmap(view, kRequestAreaSize);
  return carriedOut ? kBatchCarriedOut : kNotHandled;
}

}  // namespace tarnwick
