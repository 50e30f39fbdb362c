#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "simlink/UdpSocket.h"

namespace tarnwick {

// What a substitute X-Plane holds and how it behaves.
struct XPlaneSubstituteSetup {
  float payloadKg = 2000.0F;
  float leftTankShare = 0.5F;
  float rightTankShare = 0.5F;
  // Sets are taken and logged but change nothing, as with an aircraft whose own plugin keeps
  // its fuel.
  bool ignoreWrites = false;
  // Takes nothing and answers nothing, as an X-Plane that does not accept incoming data.
  bool silent = false;
};

// Told of every set taken: the dataref and the value.
using DrefObserver = std::function<void(const std::string& dataref, float value)>;

// The line a set is logged as: "dref <dataref> <value>", the value in its shortest exact form.
std::string DescribeDref(const std::string& dataref, float value);

// X-Plane's UDP data interface on a few datarefs, apart from any transport: it takes the
// clients' datagrams and tells which answers fall due when. Each subscription is answered at
// once and then at its frequency (at most 100 a second) until it is ended with frequency 0;
// a subscription to a dataref it does not hold is never answered.
class XPlaneSubstitute {
 public:
  using Clock = std::chrono::steady_clock;
  struct Answer {
    UdpEndpoint client;
    std::vector<std::byte> packet;
  };

  XPlaneSubstitute(XPlaneSubstituteSetup setup, DrefObserver onDref);

  void Take(const UdpEndpoint& client, std::span<const std::byte> datagram, Clock::time_point now);
  // The answers due by `now`, one packet per client (more past 183 values).
  std::vector<Answer> DueAnswers(Clock::time_point now);
  // When the next answer falls due; nothing while no subscription stands.
  std::optional<Clock::time_point> NextDue() const;

  std::optional<float> Value(const std::string& dataref) const;
  std::size_t Subscriptions() const { return subscriptions_.size(); }

 private:
  struct Subscription {
    std::string dataref;
    Clock::duration period;
    Clock::time_point due;
  };
  using SubscriptionKey = std::pair<std::uint64_t, std::int32_t>;  // client, index

  void Subscribe(const UdpEndpoint& client, std::span<const std::byte> datagram,
                 Clock::time_point now);
  void ApplySet(std::span<const std::byte> datagram);

  XPlaneSubstituteSetup setup_;
  DrefObserver onDref_;
  std::map<std::string, float> datarefs_;
  std::map<SubscriptionKey, Subscription> subscriptions_;
};

}  // namespace tarnwick
