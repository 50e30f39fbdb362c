#include "simstub/StubServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

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

// The directory holds the sockets of this user's simulator link: it must be theirs alone.
void PreparePrivateDirectory(const std::filesystem::path& directory) {
  if (mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) {
    Refuse("cannot make the directory " + directory.string() + ": " + SystemError());
  }
  struct stat status {};
  if (lstat(directory.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    Refuse(directory.string() + " is not a directory");
  }
  if (status.st_uid != getuid() || (status.st_mode & 077) != 0) {
    Refuse(directory.string() + " must belong to this user alone (mode 0700)");
  }
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
  if (ConnectToWindowSocket(path).IsValid()) {
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

bool IsPlainMappingName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos;
}

}  // namespace

StubServer::StubServer(std::filesystem::path directory, StubServerOptions options,
                       SimulatorSetup setup, WriteObserver onWrite)
    : options_(std::move(options)),
      socketPath_(directory / options_.windowClass),
      onWrite_(std::move(onWrite)) {
  if (!IsPlainMappingName(options_.windowClass)) Refuse("bad window class " + options_.windowClass);
  PreparePrivateDirectory(directory);
  ClaimSocketPath(socketPath_);
  listener_ = Listen(socketPath_);
  LoadSimulatorSetup(memory_, setup);
}

StubServer::~StubServer() {
  UnmapArea();
  connections_.clear();
  listener_.Reset();
  unlink(socketPath_.c_str());
}

void StubServer::Serve(int stopFd) {
  while (true) {
    std::vector<pollfd> waiting{{stopFd, POLLIN, 0}, {listener_.Get(), POLLIN, 0}};
    for (const Connection& connection : connections_) {
      waiting.push_back({connection.socket.Get(), POLLIN, 0});
    }
    if (poll(waiting.data(), waiting.size(), -1) < 0) {
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

void StubServer::AcceptConnections() {
  while (true) {
    UniqueFd socket(accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (!socket.IsValid()) return;
    connections_.push_back({std::move(socket)});
  }
}

// Reads what has arrived and answers every whole frame. False once the connection is over.
bool StubServer::ServeConnection(Connection& connection) {
  while (true) {
    const ssize_t received =
        recv(connection.socket.Get(), connection.frame.data() + connection.filled,
             connection.frame.size() - connection.filled, 0);
    if (received == 0) return false;
    if (received < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    connection.filled += static_cast<std::size_t>(received);
    if (connection.filled == connection.frame.size() && !AnswerFrame(connection)) return false;
  }
}

bool StubServer::AnswerFrame(Connection& connection) {
  connection.filled = 0;
  const std::optional<RequestFrame> request = DecodeRequestFrame(connection.frame);
  if (!request) return false;
  const std::optional<std::uint32_t> result = Answer(*request);
  if (!result) return true;
  const ReplyFrameBytes reply = EncodeReplyFrame(*result);
  return send(connection.socket.Get(), reply.data(), reply.size(), MSG_NOSIGNAL) ==
         static_cast<ssize_t>(reply.size());
}

std::optional<std::uint32_t> StubServer::Answer(const RequestFrame& request) {
  if (options_.hang) return std::nullopt;
  if (request.message != StandInMessageId(kIpcMessageName)) return kNotHandled;
  return CarryOutBatch(request.mappingName);
}

std::uint32_t StubServer::CarryOutBatch(const std::string& mappingName) {
  if (!IsPlainMappingName(mappingName)) return kNotHandled;
  const std::span<std::byte> area = MapArea(SharedMemoryName(mappingName));
  if (area.empty()) return kNotHandled;
  return CarryOutRequests(area, memory_, onWrite_) ? kBatchCarriedOut : kNotHandled;
}

// The object is opened and checked for every batch, but mapped again only when it is another
// object than last time: a client makes a new one, under the same name, each time it opens the
// link. While the old object is mapped its inode stays taken, so a new object never shares it.
std::span<std::byte> StubServer::MapArea(const std::string& objectName) {
  const UniqueFd object(shm_open(objectName.c_str(), O_RDWR | O_CLOEXEC, 0));
  struct stat status {};
  if (!object.IsValid() || fstat(object.Get(), &status) != 0 ||
      status.st_size < static_cast<off_t>(kRequestAreaSize)) {
    return {};
  }
  const bool sameObject = area_.view != nullptr && area_.objectName == objectName &&
                          area_.device == status.st_dev && area_.inode == status.st_ino;
  if (!sameObject) {
    UnmapArea();
    void* view =
        mmap(nullptr, kRequestAreaSize, PROT_READ | PROT_WRITE, MAP_SHARED, object.Get(), 0);
    if (view == MAP_FAILED) return {};
    area_ = {objectName, status.st_dev, status.st_ino, view};
  }
  return {static_cast<std::byte*>(area_.view), kRequestAreaSize};
}

void StubServer::UnmapArea() {
  if (area_.view != nullptr) munmap(area_.view, kRequestAreaSize);
  area_ = {};
}

}  // namespace tarnwick
