#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "simlink/UdpSocket.h"

namespace tarnwick {

// The operating-system calls the X-Plane link makes: UDP sockets, host names and the clock, so
// that the link runs unchanged on POSIX, on Winsock and against a fake in tests.
class XPlanePort {
 public:
  virtual ~XPlanePort() = default;

  // A socket bound to the endpoint (address 0: every interface; port 0: any free port), or
  // nullptr when it cannot be made.
  virtual std::unique_ptr<UdpSocket> OpenSocket(const UdpEndpoint& local) = 0;
  // A member of the multicast group that hears what is sent to the group's port, beside other
  // listeners; each datagram it receives carries its destination, since one sent straight to
  // this host at that port arrives too. nullptr when it cannot be made or the address is not a
  // multicast one.
  virtual std::unique_ptr<UdpSocket> OpenGroupListener(const UdpEndpoint& group) = 0;
  // The IPv4 address of a host name or a dotted address.
  virtual std::optional<std::uint32_t> ResolveHost(const std::string& host) = 0;
  virtual std::chrono::steady_clock::time_point Now() = 0;
};

}  // namespace tarnwick
