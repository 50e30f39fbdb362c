#include "simstub/XPlaneSubstitute.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "simlink/XPlaneDatarefs.h"
#include "simlink/XPlanePackets.h"

namespace tarnwick {
namespace {

constexpr std::int32_t kMostAnswersPerSecond = 100;

std::uint64_t ClientKey(const UdpEndpoint& client) {
  return std::uint64_t{client.address} << 16 | client.port;
}

UdpEndpoint ClientOf(std::uint64_t key) {
  return {static_cast<std::uint32_t>(key >> 16), static_cast<std::uint16_t>(key & 0xFFFFU)};
}

}  // namespace

std::string DescribeDref(const std::string& dataref, float value) {
  std::array<char, 32> number{};
  const auto end = std::to_chars(number.data(), number.data() + number.size(), value).ptr;
  return "dref " + dataref + " " + std::string(number.data(), end);
}

XPlaneSubstitute::XPlaneSubstitute(XPlaneSubstituteSetup setup, DrefObserver onDref)
    : setup_(setup), onDref_(std::move(onDref)) {
  datarefs_[std::string(kPayloadDataref)] = setup.payloadKg;
  datarefs_[std::string(kLeftTankFuelDataref)] = 0.0F;
  datarefs_[std::string(kRightTankFuelDataref)] = 0.0F;
  datarefs_[std::string(kLeftTankShareDataref)] = setup.leftTankShare;
  datarefs_[std::string(kRightTankShareDataref)] = setup.rightTankShare;
}

void XPlaneSubstitute::Take(const UdpEndpoint& client, std::span<const std::byte> datagram,
                            Clock::time_point now) {
  if (setup_.silent) return;
  Subscribe(client, datagram, now);
  ApplySet(datagram);
}

void XPlaneSubstitute::Subscribe(const UdpEndpoint& client, std::span<const std::byte> datagram,
                                 Clock::time_point now) {
  const std::optional<RrefRequest> request = DecodeRrefRequest(datagram);
  if (!request) return;
  const SubscriptionKey key{ClientKey(client), request->index};
  if (request->frequency <= 0 || !datarefs_.contains(request->dataref)) {
    subscriptions_.erase(key);
    return;
  }
  const std::int32_t perSecond = std::min(request->frequency, kMostAnswersPerSecond);
  const Clock::duration period =
      std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / perSecond;
  subscriptions_[key] = {request->dataref, period, now};
}

void XPlaneSubstitute::ApplySet(std::span<const std::byte> datagram) {
  const std::optional<DrefRequest> request = DecodeDrefRequest(datagram);
  if (!request) return;
  if (onDref_) onDref_(request->dataref, request->value);
  const auto held = datarefs_.find(request->dataref);
  if (held != datarefs_.end() && !setup_.ignoreWrites) held->second = request->value;
}

std::vector<XPlaneSubstitute::Answer> XPlaneSubstitute::DueAnswers(Clock::time_point now) {
  std::map<std::uint64_t, std::vector<RrefValue>> valuesByClient;
  for (auto& [key, subscription] : subscriptions_) {
    if (subscription.due > now) continue;
    valuesByClient[key.first].push_back({key.second, datarefs_.at(subscription.dataref)});
    while (subscription.due <= now) subscription.due += subscription.period;
  }
  std::vector<Answer> answers;
  for (const auto& [client, values] : valuesByClient) {
    for (std::vector<std::byte>& packet : EncodeRrefAnswers(values)) {
      answers.push_back({ClientOf(client), std::move(packet)});
    }
  }
  return answers;
}

std::optional<XPlaneSubstitute::Clock::time_point> XPlaneSubstitute::NextDue() const {
  std::optional<Clock::time_point> next;
  for (const auto& [key, subscription] : subscriptions_) {
    if (!next || subscription.due < *next) next = subscription.due;
  }
  return next;
}

std::optional<float> XPlaneSubstitute::Value(const std::string& dataref) const {
  const auto held = datarefs_.find(dataref);
  if (held == datarefs_.end()) return std::nullopt;
  return held->second;
}

}  // namespace tarnwick
