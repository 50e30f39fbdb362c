#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "simlink/XPlanePackets.h"
#include "simlink/XPlanePort.h"
#include "simstub/XPlaneSubstitute.h"

namespace tarnwick {

// A scriptable network for the X-Plane link, for tests: a substitute X-Plane answers in
// process at its endpoint, beacons and stray datagrams arrive as the test puts them, and every
// datagram sent is recorded. Time is the fake's own and moves only while a socket waits, so no
// test really waits.
class FakeXPlanePort final : public XPlanePort {
 public:
  struct SentDatagram {
    UdpEndpoint to;
    std::vector<std::byte> bytes;
  };

  FakeXPlanePort();

  // --- What the fake network offers; change before the call concerned.
  UdpEndpoint xplaneEndpoint{kLoopbackAddress, 49000};
  bool xplanePresent = true;
  // Heard in turn by a listener on the beacon group.
  std::deque<Datagram> beacons;
  // Handed to the link's socket in turn before any answer of the substitute.
  std::deque<Datagram> strays;
  std::map<std::string, std::uint32_t> hosts{{"localhost", kLoopbackAddress}};
  bool socketsFail = false;

  // The substitute at xplaneEndpoint; every set it takes is added to `drefs`.
  void SetUpXPlane(const XPlaneSubstituteSetup& setup);
  XPlaneSubstitute& XPlane() { return *xplane_; }

  // --- What the link did.
  std::vector<SentDatagram> sent;
  std::vector<UdpEndpoint> groupsListened;
  std::vector<std::pair<std::string, float>> drefs;

  // The subscriptions among the datagrams sent, in order.
  std::vector<RrefRequest> SubscriptionsSent() const;

  std::unique_ptr<UdpSocket> OpenSocket(const UdpEndpoint& local) override;
  std::unique_ptr<UdpSocket> OpenGroupListener(const UdpEndpoint& group) override;
  std::optional<std::uint32_t> ResolveHost(const std::string& host) override;
  std::chrono::steady_clock::time_point Now() override { return now_; }

  // For the fake's sockets.
  void Deliver(const UdpEndpoint& from, const UdpEndpoint& to, std::span<const std::byte> bytes);
  std::optional<Datagram> ReceiveAnswer(const UdpEndpoint& client, std::chrono::milliseconds wait);
  std::optional<Datagram> ReceiveBeacon(std::chrono::milliseconds wait);

 private:
  std::unique_ptr<XPlaneSubstitute> xplane_;
  std::deque<Datagram> inbox_;
  std::chrono::steady_clock::time_point now_{};
  std::uint16_t nextPort_ = 50000;
};

}  // namespace tarnwick
