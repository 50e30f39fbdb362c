#include "print/LoopbackAddress.h"

#include <algorithm>
#include <boost/asio/ip/address.hpp>
#include <charconv>
#include <vector>

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

// An IPv4 address only in its plain dotted form: the system's parser may take "127.1" as well
// (Windows' does), which must be refused alike everywhere (see IsUnservedLoopbackName).
std::optional<std::string> LoopbackIpOf(std::string_view host) {
  if (host == "localhost") return "127.0.0.1";
  const bool v6 = host.starts_with('[') && host.ends_with(']');
  if (v6) host = host.substr(1, host.size() - 2);
  boost::system::error_code error;
  const auto address = boost::asio::ip::make_address(std::string(host), error);
  if (error || !address.is_loopback() || address.is_v6() != v6) return std::nullopt;
  if (address.is_v4() && address.to_string() != host) return std::nullopt;
  return address.to_string();
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// A part of a host that a browser reads as IPv4: decimal, octal after a "0", hex after "0x".
std::optional<std::uint64_t> Ipv4Number(std::string_view part) {
  if (part.empty()) return std::nullopt;
  int radix = 10;
  if (part.size() >= 2 && part[0] == '0' && (part[1] == 'x' || part[1] == 'X')) {
    radix = 16;
    part.remove_prefix(2);
  } else if (part.size() >= 2 && part[0] == '0') {
    radix = 8;
    part.remove_prefix(1);
  }
  if (part.empty()) return 0;
  std::uint64_t number = 0;
  const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), number, radix);
  if (error != std::errc() || end != part.data() + part.size()) return std::nullopt;
  return number;
}

// The IPv4 address a browser takes a host for (the URL Standard's IPv4 parser): one to four
// numbers separated by "." (one final "." allowed), the last filling the remaining bytes.
std::optional<std::uint32_t> BrowserIpv4Of(std::string_view host) {
  if (host.ends_with('.')) host.remove_suffix(1);
  std::vector<std::uint64_t> numbers;
  for (std::size_t start = 0; numbers.size() <= 4;) {
    const std::size_t dot = host.find('.', start);
    const auto number = Ipv4Number(host.substr(start, dot - start));
    if (!number) return std::nullopt;
    numbers.push_back(*number);
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  if (numbers.size() > 4) return std::nullopt;
  const std::size_t lastBits = 8 * (5 - numbers.size());
  if (numbers.back() >= (std::uint64_t{1} << lastBits)) return std::nullopt;
  std::uint64_t address = numbers.back();
  for (std::size_t i = 0; i + 1 < numbers.size(); ++i) {
    if (numbers[i] > 255) return std::nullopt;
    address |= numbers[i] << (8 * (3 - i));
  }
  return static_cast<std::uint32_t>(address);
}

// Whether a browser sent to the host (not in brackets) reaches this machine: 127.0.0.0/8, or
// 0.0.0.0/8, which the system takes for this machine as well.
bool BrowserReachesThisMachine(std::string_view host) {
  const std::string lower = LowerCase(host);
  const std::string_view name =
      std::string_view(lower).substr(0, lower.size() - lower.ends_with('.'));
  if (name == "localhost" || name.ends_with(".localhost")) return true;
  const std::optional<std::uint32_t> ipv4 = BrowserIpv4Of(lower);
  return ipv4 && ((*ipv4 >> 24) == 127 || (*ipv4 >> 24) == 0);
}

// An IP address as the host of a URL: IPv6 in brackets.
std::string UrlHostOf(const std::string& ip) {
  return ip.find(':') != std::string::npos ? "[" + ip + "]" : ip;
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

bool IsUnservedLoopbackName(std::string_view webHost) {
  const std::string_view host = SplitHostAndPort(webHost).first;
  if (LoopbackIpOf(host)) return false;
  if (!host.starts_with('[')) return BrowserReachesThisMachine(host);
  boost::system::error_code error;
  const auto v6 = boost::asio::ip::make_address_v6(
      std::string(host.substr(1, host.size() - 1 - host.ends_with(']'))), error);
  if (error) return false;
  if (v6.is_unspecified()) return true;
  return v6.is_v4_mapped() &&
         BrowserReachesThisMachine(
             boost::asio::ip::make_address_v4(boost::asio::ip::v4_mapped, v6).to_string());
}

std::optional<LoopbackAddress> LoopbackAddressOf(std::string_view webHost) {
  const auto [host, portText] = SplitHostAndPort(webHost);
  const std::optional<std::uint16_t> port = portText.empty() ? kHttpPort : PortOf(portText);
  std::optional<std::string> ip = LoopbackIpOf(host);
  if (!port || !ip) return std::nullopt;
  return LoopbackAddress{std::string(host), std::move(*ip), *port};
}

std::string LoopbackAddress::IpAndPort() const {
  return UrlHostOf(ip) + ":" + std::to_string(port);
}

bool NamesLoopbackSite(std::string_view hostField, const LoopbackAddress& served) {
  const auto [host, portText] = SplitHostAndPort(hostField);
  const bool hasPort = host.size() < hostField.size();
  // The port as a browser writes it: no sign, no leading zero.
  if (hasPort ? portText != std::to_string(served.port) : served.port != kHttpPort) return false;
  const std::string lower = LowerCase(host);
  return lower == "localhost" || lower == "127.0.0.1" || lower == "[::1]" ||
         lower == UrlHostOf(served.ip);
}

}  // namespace tarnwick
