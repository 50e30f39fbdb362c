#include "simlink/XPlaneLinkSettings.h"

#include <charconv>
#include <cstdlib>
#include <string>

namespace tarnwick {

XPlaneLinkSettings XPlaneLinkSettingsFromEnvironment() {
  XPlaneLinkSettings settings;
  const char* address = std::getenv("TARNWICK_XPLANE_ADDRESS");
  if (address != nullptr && *address != '\0') settings.address = address;
  return settings;
}

std::optional<std::pair<std::string, std::uint16_t>> SplitHostAndPort(std::string_view text) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  const std::string_view portText = text.substr(colon + 1);
  unsigned port = 0;
  const auto [end, error] =
      std::from_chars(portText.data(), portText.data() + portText.size(), port);
  if (error != std::errc() || end != portText.data() + portText.size() || port == 0 ||
      port > 65535) {
    return std::nullopt;
  }
  return std::pair{std::string(text.substr(0, colon)), static_cast<std::uint16_t>(port)};
}

std::string HostAndPortText(const UdpEndpoint& endpoint) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    text += std::to_string((endpoint.address >> shift) & 0xFF) + (shift > 0 ? "." : ":");
  }
  return text + std::to_string(endpoint.port);
}

}  // namespace tarnwick
