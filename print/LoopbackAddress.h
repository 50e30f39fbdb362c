#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// An address on this machine's loopback interface, where the program may serve its print site.
struct LoopbackAddress {
  std::string host;  // as the URL names it: "127.0.0.1", "localhost", "[::1]"
  std::string ip;    // the address to listen on: "127.0.0.1", "::1"
  std::uint16_t port = 80;

  std::string HostAndPort() const { return host + ":" + std::to_string(port); }
};

// Whether the text can stand as the host of a URL: a name of letters, digits, "-" and "." (an
// IPv4 address among them) or an IPv6 address in brackets, with an optional ":port" of 1 to
// 65535.
bool IsWebHost(std::string_view webHost);

// The loopback address of a web host given as "host" or "host:port" (port 80 when none is
// given): 127.x.y.z, "localhost" (as 127.0.0.1) or "[::1]". nullopt for any other host, or for
// one that cannot be read: such a site is not this program's to serve.
std::optional<LoopbackAddress> LoopbackAddressOf(std::string_view webHost);

}  // namespace tarnwick
