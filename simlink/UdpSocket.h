#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tarnwick {

// An IPv4 address (in host byte order) and a port.
struct UdpEndpoint {
  std::uint32_t address = 0;
  std::uint16_t port = 0;

  bool operator==(const UdpEndpoint&) const = default;
};

inline constexpr std::uint32_t kLoopbackAddress = 0x7F000001;  // 127.0.0.1

struct Datagram {
  UdpEndpoint source;
  std::vector<std::byte> bytes;
  // The address the datagram was sent to, where the socket reports it (a group listener's do).
  std::optional<std::uint32_t> destination{};
};

// One UDP socket. Nothing is raised: a failed send returns false, a failed or empty wait
// returns nothing.
class UdpSocket {
 public:
  virtual ~UdpSocket() = default;

  virtual bool SendTo(const UdpEndpoint& destination, std::span<const std::byte> bytes) = 0;
  // The next datagram that arrives within the wait, or nothing.
  virtual std::optional<Datagram> Receive(std::chrono::milliseconds wait) = 0;
  // The address and port the socket is bound to.
  virtual UdpEndpoint LocalEndpoint() = 0;
};

}  // namespace tarnwick
