#include "simlink/SystemXPlanePort.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <array>
#include <stdexcept>

namespace tarnwick {
namespace {

#ifdef _WIN32
using NativeSocket = SOCKET;
constexpr NativeSocket kNoSocket = INVALID_SOCKET;
using AddressLength = int;
using DataLength = int;
void CloseNative(NativeSocket socket) { closesocket(socket); }
#else
using NativeSocket = int;
constexpr NativeSocket kNoSocket = -1;
using AddressLength = socklen_t;
using DataLength = std::size_t;
void CloseNative(NativeSocket socket) { close(socket); }
#endif

constexpr std::size_t kLargestDatagram = 65536;

sockaddr_in SocketAddress(const UdpEndpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(endpoint.address);
  address.sin_port = htons(endpoint.port);
  return address;
}

UdpEndpoint EndpointOf(const sockaddr_in& address) {
  return {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
}

bool IsMulticast(std::uint32_t address) { return (address >> 28) == 0xE; }

// True when the socket has something to read within the wait.
bool ReadableWithin(NativeSocket socket, std::chrono::milliseconds wait) {
  const auto milliseconds = static_cast<int>(std::max<std::int64_t>(0, wait.count()));
#ifdef _WIN32
  WSAPOLLFD entry{socket, POLLRDNORM, 0};
  return WSAPoll(&entry, 1, milliseconds) > 0;
#else
  pollfd entry{socket, POLLIN, 0};
  return poll(&entry, 1, milliseconds) > 0;
#endif
}

class SystemUdpSocket final : public UdpSocket {
 public:
  explicit SystemUdpSocket(NativeSocket socket) : socket_(socket) {}
  ~SystemUdpSocket() override { CloseNative(socket_); }
  SystemUdpSocket(const SystemUdpSocket&) = delete;
  SystemUdpSocket& operator=(const SystemUdpSocket&) = delete;

  bool SendTo(const UdpEndpoint& destination, std::span<const std::byte> bytes) override {
    const sockaddr_in address = SocketAddress(destination);
    const auto sent = sendto(socket_, reinterpret_cast<const char*>(bytes.data()),
                             static_cast<DataLength>(bytes.size()), 0,
                             reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return sent >= 0 && static_cast<std::size_t>(sent) == bytes.size();
  }

  std::optional<Datagram> Receive(std::chrono::milliseconds wait) override {
    if (!ReadableWithin(socket_, wait)) return std::nullopt;
    sockaddr_in source{};
    AddressLength sourceLength = sizeof source;
    const auto received = recvfrom(socket_, reinterpret_cast<char*>(buffer_.data()),
                                   static_cast<DataLength>(buffer_.size()), 0,
                                   reinterpret_cast<sockaddr*>(&source), &sourceLength);
    if (received < 0) return std::nullopt;
    const auto* begin = buffer_.data();
    return Datagram{EndpointOf(source), {begin, begin + static_cast<std::ptrdiff_t>(received)}};
  }

  UdpEndpoint LocalEndpoint() override {
    sockaddr_in local{};
    AddressLength length = sizeof local;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length);
    return EndpointOf(local);
  }

 private:
  NativeSocket socket_;
  std::array<std::byte, kLargestDatagram> buffer_{};
};

NativeSocket NewUdpSocket() {
#ifdef _WIN32
  const NativeSocket socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (socket != kNoSocket) {
    // Without this, a port-unreachable answer to an earlier send fails the next receive.
    constexpr DWORD kSioUdpConnreset = _WSAIOW(IOC_VENDOR, 12);
    BOOL reportReset = FALSE;
    DWORD returned = 0;
    WSAIoctl(socket, kSioUdpConnreset, &reportReset, sizeof reportReset, nullptr, 0, &returned,
             nullptr, nullptr);
  }
  return socket;
#else
  return ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
#endif
}

std::unique_ptr<UdpSocket> Bound(NativeSocket socket, const UdpEndpoint& local) {
  const sockaddr_in address = SocketAddress(local);
  if (bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    CloseNative(socket);
    return nullptr;
  }
  return std::make_unique<SystemUdpSocket>(socket);
}

bool JoinGroup(NativeSocket socket, std::uint32_t group) {
  ip_mreq membership{};
  membership.imr_multiaddr.s_addr = htonl(group);
  membership.imr_interface.s_addr = htonl(INADDR_ANY);
  return setsockopt(socket, IPPROTO_IP, IP_ADD_MEMBERSHIP,
                    reinterpret_cast<const char*>(&membership), sizeof membership) == 0;
}

class SystemXPlanePort final : public XPlanePort {
 public:
  SystemXPlanePort() {
#ifdef _WIN32
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("cannot start Winsock");
#endif
  }
  ~SystemXPlanePort() override {
#ifdef _WIN32
    WSACleanup();
#endif
  }
  SystemXPlanePort(const SystemXPlanePort&) = delete;
  SystemXPlanePort& operator=(const SystemXPlanePort&) = delete;

  std::unique_ptr<UdpSocket> OpenSocket(const UdpEndpoint& local) override {
    const NativeSocket socket = NewUdpSocket();
    if (socket == kNoSocket) return nullptr;
    return Bound(socket, local);
  }

  // A multicast group is heard on every interface, beside X-Plane's other listeners; any other
  // address is bound as it is.
  std::unique_ptr<UdpSocket> OpenGroupListener(const UdpEndpoint& group) override {
    const NativeSocket socket = NewUdpSocket();
    if (socket == kNoSocket) return nullptr;
    const int shared = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&shared),
               sizeof shared);
    if (!IsMulticast(group.address)) return Bound(socket, group);
    std::unique_ptr<UdpSocket> listener = Bound(socket, {INADDR_ANY, group.port});
    if (listener && !JoinGroup(socket, group.address)) return nullptr;
    return listener;
  }

  std::optional<std::uint32_t> ResolveHost(const std::string& host) override {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
      return std::nullopt;
    }
    const std::uint32_t address =
        ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
    freeaddrinfo(found);
    return address;
  }

  std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::now(); }
};

}  // namespace

std::unique_ptr<XPlanePort> MakeSystemXPlanePort() { return std::make_unique<SystemXPlanePort>(); }

}  // namespace tarnwick
