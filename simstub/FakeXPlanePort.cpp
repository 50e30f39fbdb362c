#include "simstub/FakeXPlanePort.h"

#include <algorithm>

namespace tarnwick {
namespace {

class FakeUdpSocket final : public UdpSocket {
 public:
  FakeUdpSocket(FakeXPlanePort& network, UdpEndpoint local, bool listensForBeacons)
      : network_(network), local_(local), listensForBeacons_(listensForBeacons) {}

  bool SendTo(const UdpEndpoint& destination, std::span<const std::byte> bytes) override {
    network_.Deliver(local_, destination, bytes);
    return true;
  }
  std::optional<Datagram> Receive(std::chrono::milliseconds wait) override {
    return listensForBeacons_ ? network_.ReceiveBeacon(wait) : network_.ReceiveAnswer(local_, wait);
  }
  UdpEndpoint LocalEndpoint() override { return local_; }

 private:
  FakeXPlanePort& network_;
  UdpEndpoint local_;
  bool listensForBeacons_;
};

}  // namespace

FakeXPlanePort::FakeXPlanePort() { SetUpXPlane({}); }

void FakeXPlanePort::SetUpXPlane(const XPlaneSubstituteSetup& setup) {
  xplane_ = std::make_unique<XPlaneSubstitute>(
      setup,
      [this](const std::string& dataref, float value) { drefs.emplace_back(dataref, value); });
}

std::vector<RrefRequest> FakeXPlanePort::SubscriptionsSent() const {
  std::vector<RrefRequest> requests;
  for (const SentDatagram& datagram : sent) {
    if (auto request = DecodeRrefRequest(datagram.bytes)) requests.push_back(std::move(*request));
  }
  return requests;
}

std::unique_ptr<UdpSocket> FakeXPlanePort::OpenSocket(const UdpEndpoint& local) {
  if (socketsFail) return nullptr;
  const UdpEndpoint bound{local.address == 0 ? kLoopbackAddress : local.address,
                          local.port == 0 ? nextPort_++ : local.port};
  return std::make_unique<FakeUdpSocket>(*this, bound, false);
}

std::unique_ptr<UdpSocket> FakeXPlanePort::OpenGroupListener(const UdpEndpoint& group) {
  groupsListened.push_back(group);
  if (socketsFail) return nullptr;
  return std::make_unique<FakeUdpSocket>(*this, group, true);
}

std::optional<std::uint32_t> FakeXPlanePort::ResolveHost(const std::string& host) {
  const auto found = hosts.find(host);
  if (found == hosts.end()) return std::nullopt;
  return found->second;
}

void FakeXPlanePort::Deliver(const UdpEndpoint& from, const UdpEndpoint& to,
                             std::span<const std::byte> bytes) {
  sent.push_back({to, {bytes.begin(), bytes.end()}});
  if (xplanePresent && to == xplaneEndpoint) xplane_->Take(from, bytes, now_);
}

// Strays first; then the substitute's answers to this client, time moving on to each until
// the wait is over.
std::optional<Datagram> FakeXPlanePort::ReceiveAnswer(const UdpEndpoint& client,
                                                      std::chrono::milliseconds wait) {
  if (!strays.empty()) {
    Datagram stray = std::move(strays.front());
    strays.pop_front();
    return stray;
  }
  const auto deadline = now_ + wait;
  while (inbox_.empty()) {
    for (XPlaneSubstitute::Answer& answer : xplane_->DueAnswers(now_)) {
      if (answer.client == client) inbox_.push_back({xplaneEndpoint, std::move(answer.packet)});
    }
    if (!inbox_.empty()) break;
    const auto next = xplane_->NextDue();
    if (!next || *next > deadline) {
      now_ = deadline;
      return std::nullopt;
    }
    now_ = std::max(now_, *next);
  }
  Datagram answer = std::move(inbox_.front());
  inbox_.pop_front();
  return answer;
}

std::optional<Datagram> FakeXPlanePort::ReceiveBeacon(std::chrono::milliseconds wait) {
  if (beacons.empty()) {
    now_ += wait;
    return std::nullopt;
  }
  Datagram beacon = std::move(beacons.front());
  beacons.pop_front();
  return beacon;
}

}  // namespace tarnwick
