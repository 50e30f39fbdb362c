#include "simlink/SystemXPlanePort.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
// After the two above: it declares Winsock's extensions in their terms.
#include <mswsock.h>
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
#include <cstring>
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

class SystemUdpSocket : public UdpSocket {
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
    return ReceiveWaiting();
  }

  UdpEndpoint LocalEndpoint() override {
    sockaddr_in local{};
    AddressLength length = sizeof local;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length);
    return EndpointOf(local);
  }

 protected:
  // The datagram that waits to be read, without its destination.
  virtual std::optional<Datagram> ReceiveWaiting() {
    sockaddr_in source{};
    AddressLength sourceLength = sizeof source;
    const auto received = recvfrom(socket_, reinterpret_cast<char*>(buffer_.data()),
                                   static_cast<DataLength>(buffer_.size()), 0,
                                   reinterpret_cast<sockaddr*>(&source), &sourceLength);
    if (received < 0) return std::nullopt;
    return DatagramOf(source, static_cast<std::size_t>(received));
  }

  Datagram DatagramOf(const sockaddr_in& source, std::size_t size) {
    const auto* begin = buffer_.data();
    return Datagram{EndpointOf(source), {begin, begin + size}};
  }

  NativeSocket socket_;
  std::array<std::byte, kLargestDatagram> buffer_{};
};

// A member of a multicast group that reports the address each datagram was sent to
// (IP_PKTINFO), so that one sent to the group can be told from one sent to this host's own
// address at the group's port.
class GroupListenerSocket final : public SystemUdpSocket {
 public:
  using SystemUdpSocket::SystemUdpSocket;

  // Binds to the group's port on every interface, beside the port's other listeners, asks for
  // each datagram's destination and joins the group on the default interface. False when any
  // of it fails.
  bool Join(const UdpEndpoint& group);

 private:
  std::optional<Datagram> ReceiveWaiting() override;

#ifdef _WIN32
  LPFN_WSARECVMSG receiveMessage_ = nullptr;
#endif
};

#ifdef _WIN32
std::optional<Datagram> GroupListenerSocket::ReceiveWaiting() {
  sockaddr_in source{};
  alignas(WSACMSGHDR) std::array<char, WSA_CMSG_SPACE(sizeof(IN_PKTINFO))> control{};
  WSABUF data{static_cast<ULONG>(buffer_.size()), reinterpret_cast<char*>(buffer_.data())};
  WSAMSG message{};
  message.name = reinterpret_cast<sockaddr*>(&source);
  message.namelen = sizeof source;
  message.lpBuffers = &data;
  message.dwBufferCount = 1;
  message.Control = {static_cast<ULONG>(control.size()), control.data()};
  DWORD received = 0;
  if (receiveMessage_(socket_, &message, &received, nullptr, nullptr) != 0) return std::nullopt;
  Datagram datagram = DatagramOf(source, received);
  for (WSACMSGHDR* header = WSA_CMSG_FIRSTHDR(&message); header != nullptr;
       header = WSA_CMSG_NXTHDR(&message, header)) {
    if (header->cmsg_level != IPPROTO_IP || header->cmsg_type != IP_PKTINFO) continue;
    IN_PKTINFO information{};
    std::memcpy(&information, WSA_CMSG_DATA(header), sizeof information);
    datagram.destination = ntohl(information.ipi_addr.s_addr);
  }
  return datagram;
}

// WSARecvMsg is an extension of Winsock: it is not exported, its address is asked of the socket.
LPFN_WSARECVMSG ReceiveMessageFunction(NativeSocket socket) {
  GUID function = WSAID_WSARECVMSG;
  LPFN_WSARECVMSG address = nullptr;
  DWORD returned = 0;
  if (WSAIoctl(socket, SIO_GET_EXTENSION_FUNCTION_POINTER, &function, sizeof function, &address,
               sizeof address, &returned, nullptr, nullptr) != 0) {
    return nullptr;
  }
  return address;
}
#else
std::optional<Datagram> GroupListenerSocket::ReceiveWaiting() {
  sockaddr_in source{};
  alignas(cmsghdr) std::array<char, CMSG_SPACE(sizeof(in_pktinfo))> control{};
  iovec data{buffer_.data(), buffer_.size()};
  msghdr message{};
  message.msg_name = &source;
  message.msg_namelen = sizeof source;
  message.msg_iov = &data;
  message.msg_iovlen = 1;
  message.msg_control = control.data();
  message.msg_controllen = control.size();
  const ssize_t received = recvmsg(socket_, &message, 0);
  if (received < 0) return std::nullopt;
  Datagram datagram = DatagramOf(source, static_cast<std::size_t>(received));
  for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr;
       header = CMSG_NXTHDR(&message, header)) {
    if (header->cmsg_level != IPPROTO_IP || header->cmsg_type != IP_PKTINFO) continue;
    in_pktinfo information{};
    std::memcpy(&information, CMSG_DATA(header), sizeof information);
    datagram.destination = ntohl(information.ipi_addr.s_addr);
  }
  return datagram;
}
#endif

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

bool SetFlag(NativeSocket socket, int level, int option) {
  const int on = 1;
  return setsockopt(socket, level, option, reinterpret_cast<const char*>(&on), sizeof on) == 0;
}

bool JoinGroup(NativeSocket socket, std::uint32_t group) {
  ip_mreq membership{};
  membership.imr_multiaddr.s_addr = htonl(group);
  membership.imr_interface.s_addr = htonl(INADDR_ANY);
  return setsockopt(socket, IPPROTO_IP, IP_ADD_MEMBERSHIP,
                    reinterpret_cast<const char*>(&membership), sizeof membership) == 0;
}

bool GroupListenerSocket::Join(const UdpEndpoint& group) {
#ifdef _WIN32
  receiveMessage_ = ReceiveMessageFunction(socket_);
  if (receiveMessage_ == nullptr) return false;
#endif
  SetFlag(socket_, SOL_SOCKET, SO_REUSEADDR);
  const sockaddr_in local = SocketAddress({INADDR_ANY, group.port});
  return SetFlag(socket_, IPPROTO_IP, IP_PKTINFO) &&
         bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0 &&
         JoinGroup(socket_, group.address);
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

  // Only a multicast group is listened to: a datagram is told apart by its destination.
  std::unique_ptr<UdpSocket> OpenGroupListener(const UdpEndpoint& group) override {
    if (!IsMulticast(group.address)) return nullptr;
    const NativeSocket socket = NewUdpSocket();
    if (socket == kNoSocket) return nullptr;
    auto listener = std::make_unique<GroupListenerSocket>(socket);
    if (!listener->Join(group)) return nullptr;
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
