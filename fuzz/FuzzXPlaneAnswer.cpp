// Arbitrary bytes as a datagram from X-Plane's address: the first two bytes are its source
// port (little-endian), the rest the datagram. The answer decoder must take exactly the whole
// pairs after an "RREF" header whose value is finite, in order; the client, reading a dataref
// (subscription index 2) on the fake network with that datagram arriving first and X-Plane
// silent after it, must come back with the first such value of index 2 when the port is
// X-Plane's, and with nothing otherwise. Whatever comes, it sends only to X-Plane and ends the
// probe's subscription (index 1) at most once more. The beacon decoder must not read beyond
// the datagram. A violation prints which property failed and traps.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "simlink/XPlaneClient.h"
#include "simlink/XPlanePackets.h"
#include "simstub/FakeXPlanePort.h"

namespace tarnwick {
namespace {

constexpr std::int32_t kProbeIndex = 1;  // Find's
constexpr std::int32_t kReadIndex = 2;

void Check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "violated: %s\n", property);
  __builtin_trap();
}

// The pairs as the interface defines them, read independently of the decoder.
std::vector<RrefValue> FinitePairs(std::span<const std::byte> data) {
  std::vector<RrefValue> pairs;
  if (data.size() < 5 || std::memcmp(data.data(), "RREF", 4) != 0) return pairs;
  for (std::size_t at = 5; at + 8 <= data.size(); at += 8) {
    std::int32_t index = 0;
    std::uint32_t bits = 0;
    std::memcpy(&index, data.data() + at, 4);  // the fuzzer runs little-endian
    std::memcpy(&bits, data.data() + at + 4, 4);
    const float value = std::bit_cast<float>(bits);
    if (std::isfinite(value)) pairs.push_back({index, value});
  }
  return pairs;
}

std::optional<float> FirstOfReadIndex(const std::vector<RrefValue>& pairs) {
  for (const RrefValue& pair : pairs) {
    if (pair.index == kReadIndex) return pair.value;
  }
  return std::nullopt;
}

// How often each index was unsubscribed among the datagrams sent; false when one went elsewhere.
bool CountUnsubscriptions(const FakeXPlanePort& network,
                          std::map<std::int32_t, int>& unsubscriptions) {
  for (const FakeXPlanePort::SentDatagram& datagram : network.sent) {
    if (!(datagram.to == network.xplaneEndpoint)) return false;
    const auto request = DecodeRrefRequest(datagram.bytes);
    if (request && request->frequency == 0) ++unsubscriptions[request->index];
  }
  return true;
}

void CheckClient(std::uint16_t sourcePort, std::span<const std::byte> data,
                 const std::vector<RrefValue>& expected) {
  FakeXPlanePort network;
  XPlaneClient client(network, {});
  Check(client.Find(), "the substitute is found");
  network.xplanePresent = false;
  network.sent.clear();
  network.strays.push_back(
      {{network.xplaneEndpoint.address, sourcePort}, {data.begin(), data.end()}});
  const std::optional<float> read = client.Read("sim/flightmodel/weight/m_fixed");
  const bool fromXPlane = sourcePort == network.xplaneEndpoint.port;
  const std::optional<float> wanted = fromXPlane ? FirstOfReadIndex(expected) : std::nullopt;
  Check(read.has_value() == wanted.has_value(),
        "a read has a value exactly when one came from X-Plane's port");
  if (read)
    Check(std::bit_cast<std::uint32_t>(*read) == std::bit_cast<std::uint32_t>(*wanted),
          "the read takes the first value of its index");
  std::map<std::int32_t, int> unsubscriptions;
  Check(CountUnsubscriptions(network, unsubscriptions), "everything is sent to X-Plane");
  Check(unsubscriptions[kReadIndex] == 1 && unsubscriptions[kProbeIndex] <= 1 &&
            unsubscriptions.size() == 2,
        "the read's and the probe's subscriptions only are ended, each once");
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace tarnwick;
  if (size < 2) return 0;
  const auto sourcePort = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
  size -= 2;
  const std::span data(reinterpret_cast<const std::byte*>(bytes + 2), size);
  const std::vector<RrefValue> decoded = DecodeRrefAnswer(data);
  const std::vector<RrefValue> expected = FinitePairs(data);
  Check(decoded.size() == expected.size(), "every whole finite pair is decoded");
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    Check(decoded[i].index == expected[i].index &&
              std::bit_cast<std::uint32_t>(decoded[i].value) ==
                  std::bit_cast<std::uint32_t>(expected[i].value),
          "pairs are decoded in order, as sent");
  }
  CheckClient(sourcePort, data, expected);
  if (const auto beacon = DecodeBeacon(data)) {
    Check(beacon->majorVersion == 1 && beacon->hostName.size() + 21 <= size,
          "a beacon's name lies inside the datagram");
  }
  return 0;
}
