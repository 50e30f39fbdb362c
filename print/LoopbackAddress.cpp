#include "print/LoopbackAddress.h"

#include <algorithm>
#include <boost/asio/ip/address.hpp>
#include <charconv>

namespace tarnwick {
namespace {

constexpr std::uint16_t kHttpPort = 80;

std::optional<std::uint16_t> PortOf(std::string_view text) {
  unsigned port = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (error != std::errc() || end != text.data() + text.size() || port == 0 || port > 65535) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(port);
}

// The host part and the port part ("" when absent) of "host:port" or "[v6]:port".
std::pair<std::string_view, std::string_view> SplitHostAndPort(std::string_view webHost) {
  const std::size_t portColon =
      webHost.starts_with('[') ? webHost.find(':', webHost.find(']')) : webHost.rfind(':');
  if (portColon == std::string_view::npos) return {webHost, {}};
  return {webHost.substr(0, portColon), webHost.substr(portColon + 1)};
}

std::optional<std::string> LoopbackIpOf(std::string_view host) {
  if (host == "localhost") return "127.0.0.1";
  if (host.starts_with('[') && host.ends_with(']')) host = host.substr(1, host.size() - 2);
  boost::system::error_code error;
  const auto address = boost::asio::ip::make_address(std::string(host), error);
  if (error || !address.is_loopback()) return std::nullopt;
  return address.to_string();
}

bool IsHostName(std::string_view host) {
  if (host.starts_with('[') && host.ends_with(']') && host.size() > 2) {
    boost::system::error_code error;
    boost::asio::ip::make_address_v6(std::string(host.substr(1, host.size() - 2)), error);
    return !error;
  }
  return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.';
  });
}

}  // namespace

bool IsWebHost(std::string_view webHost) {
  const auto [host, portText] = SplitHostAndPort(webHost);
  const bool hasPort = host.size() < webHost.size();
  return IsHostName(host) && (!hasPort || PortOf(portText));
}

std::optional<LoopbackAddress> LoopbackAddressOf(std::string_view webHost) {
  const auto [host, portText] = SplitHostAndPort(webHost);
  const std::optional<std::uint16_t> port = portText.empty() ? kHttpPort : PortOf(portText);
  std::optional<std::string> ip = LoopbackIpOf(host);
  if (!port || !ip) return std::nullopt;
  return LoopbackAddress{std::string(host), std::move(*ip), *port};
}

}  // namespace tarnwick
