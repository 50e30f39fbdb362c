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
  // The address listened on as a URL names it: "127.0.0.1:8642", "[::1]:8642". A browser sent
  // there goes exactly where the site is served, whatever "localhost" resolves to.
  std::string IpAndPort() const;
};

// Whether the text can stand as the host of a URL: a name of letters, digits, "-" and "." (an
// IPv4 address among them) or an IPv6 address in brackets, with an optional ":port" of 1 to
// 65535.
bool IsWebHost(std::string_view webHost);

// Whether a web host names this machine in a way that a browser reads as a loopback address
// but LoopbackAddressOf does not serve: IPv4 in a short or numeric form ("127.1",
// "0x7f000001", "2130706433", "127.0.0.1."), "localhost" in capitals or with a final dot, or a
// name below it ("x.localhost"). A browser sent there would reach whatever program listens on
// that port; such a web host is refused.
bool IsUnservedLoopbackName(std::string_view webHost);

// The loopback address of a web host given as "host" or "host:port" (port 80 when none is
// given): 127.x.y.z, "localhost" (as 127.0.0.1) or "[::1]". nullopt for any other host, or for
// one that cannot be read: such a site is not this program's to serve.
std::optional<LoopbackAddress> LoopbackAddressOf(std::string_view webHost);

// Whether the value of a request's Host field names the site served at the address: its IP
// address, "localhost", "127.0.0.1" or "[::1]" (letters in any case), with the port served
// (which may be left out when it is 80).
bool NamesLoopbackSite(std::string_view hostField, const LoopbackAddress& served);

}  // namespace tarnwick
