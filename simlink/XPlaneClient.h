#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "simlink/UdpSocket.h"
#include "simlink/XPlaneLinkSettings.h"
#include "simlink/XPlanePort.h"

namespace tarnwick {

// The client side of X-Plane's UDP data interface: finds X-Plane, reads a dataref's value
// through a short subscription and sets one, checking that it took by reading it back. Nothing
// is raised and nothing shown; every wait is bounded by the settings.
//
// Only datagrams from X-Plane's address and port are read. Each subscription gets an index of
// its own, so an answer meant for an earlier one is never taken for the current one; answers to
// an earlier index are met with another unsubscription, once per index in each exchange.
class XPlaneClient {
 public:
  XPlaneClient(XPlanePort& port, XPlaneLinkSettings settings);

  // Looks for X-Plane (the configured address, else the one X-Plane whose beacons are heard,
  // else the fallback; none when several are heard) and checks that it answers a subscription.
  // True when it does.
  bool Find();
  bool IsFound() const { return found_; }
  const UdpEndpoint& Address() const { return address_; }
  // The X-Planes whose beacons the last Find heard, in the order first heard (the first 16).
  const std::vector<UdpEndpoint>& XPlanesHeard() const { return xplanesHeard_; }

  // The dataref's value: the first finite answer for the subscription.
  std::optional<float> Read(std::string_view dataref);
  // Writes the value and reads it back until it is within the tolerance of the value. False when
  // no such read-back comes.
  bool Set(std::string_view dataref, float value);

 private:
  using Acceptance = std::function<bool(float)>;

  std::optional<UdpEndpoint> ConfiguredAddress();
  std::optional<UdpEndpoint> HearBeacon();
  void NoteXPlaneHeard(const UdpEndpoint& xplane);
  std::optional<float> Subscribe(std::string_view dataref, std::chrono::milliseconds wait,
                                 const Acceptance& accept, std::span<const std::byte> alongside);
  std::optional<float> AwaitAnswer(std::int32_t index,
                                   std::chrono::steady_clock::time_point deadline,
                                   const Acceptance& accept);
  void Unsubscribe(std::int32_t index);
  void Send(std::span<const std::byte> packet);

  XPlanePort& port_;
  XPlaneLinkSettings settings_;
  std::unique_ptr<UdpSocket> socket_;
  UdpEndpoint address_;
  bool found_ = false;
  std::int32_t nextIndex_ = 1;
  std::map<std::int32_t, std::string> subscribed_;  // every index used, with its dataref
  std::set<std::int32_t> endedAgain_;               // unsubscribed again in this exchange
  std::vector<UdpEndpoint> xplanesHeard_;
};

}  // namespace tarnwick
