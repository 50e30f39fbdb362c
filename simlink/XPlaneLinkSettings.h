#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "simlink/UdpSocket.h"

namespace tarnwick {

// Where the X-Plane link looks and how long it waits. The defaults are the ones the programs
// use; tests shorten the waits.
struct XPlaneLinkSettings {
  // "host:port" naming X-Plane; when set, no beacon is listened for.
  std::optional<std::string> address;
  UdpEndpoint beaconGroup{0xEFFF0101, 49707};  // 239.255.1.1
  std::chrono::milliseconds beaconWait{1000};
  UdpEndpoint fallback{kLoopbackAddress, 49000};
  // X-Plane is found when it answers a subscription within probeWait, asked twice.
  std::chrono::milliseconds probeWait{500};
  // A read fails without a valid answer within readWait after each of its two sends.
  std::chrono::milliseconds readWait{1000};
  // A set fails when its read-back is farther from the value.
  float readBackToleranceKg = 1.0F;
};

// The settings of the programs: the defaults, with the address from TARNWICK_XPLANE_ADDRESS
// when it is set and not empty.
XPlaneLinkSettings XPlaneLinkSettingsFromEnvironment();

// "host:port" split into its host and a port of 1 to 65535; nothing when it is not that.
std::optional<std::pair<std::string, std::uint16_t>> SplitHostAndPort(std::string_view text);
// "a.b.c.d:port", as TARNWICK_XPLANE_ADDRESS takes it.
std::string HostAndPortText(const UdpEndpoint& endpoint);

}  // namespace tarnwick
