#include "simlink/XPlaneClient.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "simlink/XPlaneDatarefs.h"
#include "simlink/XPlanePackets.h"

namespace tarnwick {
namespace {

constexpr int kSendsPerSubscription = 2;
constexpr std::int32_t kAnswersPerSecond = 10;
constexpr std::int32_t kEndSubscription = 0;
// More X-Planes than this heard at once are not all named; none is used in any case.
constexpr std::size_t kMostXPlanesNamed = 16;

std::chrono::milliseconds WaitUntil(std::chrono::steady_clock::time_point deadline,
                                    std::chrono::steady_clock::time_point now) {
  return std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
}

bool IsXPlaneMaster(const Beacon& beacon) {
  return beacon.hostId == kBeaconHostXPlane && beacon.role == kBeaconRoleMaster &&
         beacon.receivePort != 0;
}

}  // namespace

XPlaneClient::XPlaneClient(XPlanePort& port, XPlaneLinkSettings settings)
    : port_(port), settings_(std::move(settings)) {}

bool XPlaneClient::Find() {
  found_ = false;
  if (!socket_) socket_ = port_.OpenSocket({});
  if (!socket_) return false;
  std::optional<UdpEndpoint> candidate;
  if (settings_.address) {
    candidate = ConfiguredAddress();
  } else {
    candidate = HearBeacon();
    // With several X-Planes heard none is taken, not even one at the fallback.
    if (xplanesHeard_.empty()) candidate = settings_.fallback;
  }
  if (!candidate) return false;
  address_ = *candidate;
  found_ =
      Subscribe(kPayloadDataref, settings_.probeWait, [](float) { return true; }, {}).has_value();
  return found_;
}

std::optional<UdpEndpoint> XPlaneClient::ConfiguredAddress() {
  xplanesHeard_.clear();
  const auto hostAndPort = SplitHostAndPort(*settings_.address);
  if (!hostAndPort) return std::nullopt;
  const std::optional<std::uint32_t> host = port_.ResolveHost(hostAndPort->first);
  if (!host) return std::nullopt;
  return UdpEndpoint{*host, hostAndPort->second};
}

// X-Plane's address is the beacon's source; its port is the one the beacon names. Only a beacon
// sent to the group counts: anyone may send one straight to this host's port. All of the
// listening time is heard out, since an X-Plane announces itself once a second.
std::optional<UdpEndpoint> XPlaneClient::HearBeacon() {
  xplanesHeard_.clear();
  const std::unique_ptr<UdpSocket> listener = port_.OpenGroupListener(settings_.beaconGroup);
  if (!listener) return std::nullopt;
  const auto deadline = port_.Now() + settings_.beaconWait;
  for (auto now = port_.Now(); now < deadline; now = port_.Now()) {
    const std::optional<Datagram> datagram = listener->Receive(WaitUntil(deadline, now));
    if (!datagram || datagram->destination != settings_.beaconGroup.address) continue;
    const std::optional<Beacon> beacon = DecodeBeacon(datagram->bytes);
    if (beacon && IsXPlaneMaster(*beacon)) {
      NoteXPlaneHeard({datagram->source.address, beacon->receivePort});
    }
  }
  if (xplanesHeard_.size() != 1) return std::nullopt;
  return xplanesHeard_.front();
}

void XPlaneClient::NoteXPlaneHeard(const UdpEndpoint& xplane) {
  if (xplanesHeard_.size() < kMostXPlanesNamed &&
      std::ranges::find(xplanesHeard_, xplane) == xplanesHeard_.end()) {
    xplanesHeard_.push_back(xplane);
  }
}

std::optional<float> XPlaneClient::Read(std::string_view dataref) {
  if (!found_) return std::nullopt;
  return Subscribe(dataref, settings_.readWait, [](float) { return true; }, {});
}

// The write goes again with the second subscription, since either datagram may be lost.
bool XPlaneClient::Set(std::string_view dataref, float value) {
  if (!found_) return false;
  const std::vector<std::byte> write = EncodeDrefRequest(value, dataref);
  const auto isClose = [this, value](float readBack) {
    return std::fabs(readBack - value) <= settings_.readBackToleranceKg;
  };
  return Subscribe(dataref, settings_.readWait, isClose, write).has_value();
}

// Sends the subscription twice at most, each time after the datagram alongside if there is one,
// and waits `wait` after each send for an answer that `accept` takes. Always unsubscribes.
std::optional<float> XPlaneClient::Subscribe(std::string_view dataref,
                                             std::chrono::milliseconds wait,
                                             const Acceptance& accept,
                                             std::span<const std::byte> alongside) {
  const std::int32_t index = nextIndex_++;
  subscribed_[index] = std::string(dataref);
  endedAgain_.clear();
  const std::vector<std::byte> request = EncodeRrefRequest(kAnswersPerSecond, index, dataref);
  std::optional<float> value;
  for (int send = 0; send < kSendsPerSubscription && !value; ++send) {
    if (!alongside.empty()) Send(alongside);
    Send(request);
    value = AwaitAnswer(index, port_.Now() + wait, accept);
  }
  Unsubscribe(index);
  return value;
}

std::optional<float> XPlaneClient::AwaitAnswer(std::int32_t index,
                                               std::chrono::steady_clock::time_point deadline,
                                               const Acceptance& accept) {
  for (auto now = port_.Now(); now < deadline; now = port_.Now()) {
    const std::optional<Datagram> datagram = socket_->Receive(WaitUntil(deadline, now));
    if (!datagram || datagram->source != address_) continue;
    for (const RrefValue& answer : DecodeRrefAnswer(datagram->bytes)) {
      if (answer.index == index) {
        if (accept(answer.value)) return answer.value;
      } else if (subscribed_.contains(answer.index) && endedAgain_.insert(answer.index).second) {
        Unsubscribe(answer.index);
      }
    }
  }
  return std::nullopt;
}

void XPlaneClient::Unsubscribe(std::int32_t index) {
  Send(EncodeRrefRequest(kEndSubscription, index, subscribed_.at(index)));
}

void XPlaneClient::Send(std::span<const std::byte> packet) { socket_->SendTo(address_, packet); }

}  // namespace tarnwick
