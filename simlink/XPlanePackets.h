#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The packets of X-Plane's UDP data interface. Every integer and float is little-endian.

inline constexpr std::size_t kRrefRequestSize = 413;  // "RREF\0", frequency, index, path[400]
inline constexpr std::size_t kDrefRequestSize = 509;  // "DREF\0", value, path[500]
inline constexpr std::size_t kRrefPathSize = 400;
inline constexpr std::size_t kDrefPathSize = 500;
inline constexpr std::size_t kPacketHeaderSize = 5;
inline constexpr std::size_t kRrefPairSize = 8;  // int32 index, float32 value
inline constexpr std::size_t kMaxRrefPairsPerPacket = 183;

// One value of a subscription's answer.
struct RrefValue {
  std::int32_t index = 0;
  float value = 0.0F;

  bool operator==(const RrefValue&) const = default;
};

struct RrefRequest {
  std::int32_t frequency = 0;
  std::int32_t index = 0;
  std::string dataref;
};

struct DrefRequest {
  float value = 0.0F;
  std::string dataref;
};

// X-Plane's announcement of itself on the multicast group.
struct Beacon {
  std::uint8_t majorVersion = 0;
  std::uint8_t minorVersion = 0;
  std::int32_t hostId = 0;
  std::int32_t versionNumber = 0;
  std::uint32_t role = 0;
  std::uint16_t receivePort = 0;
  std::string hostName;
};

inline constexpr std::int32_t kBeaconHostXPlane = 1;
inline constexpr std::uint32_t kBeaconRoleMaster = 1;

// A subscription to the dataref at `frequency` answers a second (0 ends it). Throws
// std::length_error when the path does not fit its field with the closing NUL.
std::vector<std::byte> EncodeRrefRequest(std::int32_t frequency, std::int32_t index,
                                         std::string_view dataref);
// A write of the value to the dataref; throws std::length_error as above.
std::vector<std::byte> EncodeDrefRequest(float value, std::string_view dataref);

// The values of an answer: nothing unless the first four bytes are "RREF"; a trailing partial
// pair is dropped, and so is every value that is NaN or infinite.
std::vector<RrefValue> DecodeRrefAnswer(std::span<const std::byte> packet);
// Answers carrying the values, 183 at most a packet.
std::vector<std::vector<std::byte>> EncodeRrefAnswers(std::span<const RrefValue> values);

// The requests as X-Plane reads them; nothing when the header or the size is wrong. The path
// ends at its first NUL.
std::optional<RrefRequest> DecodeRrefRequest(std::span<const std::byte> packet);
std::optional<DrefRequest> DecodeDrefRequest(std::span<const std::byte> packet);

// A beacon of major version 1; nothing when the header, the version or the size is wrong. A
// host name without its NUL runs to the end of the packet.
std::optional<Beacon> DecodeBeacon(std::span<const std::byte> packet);
std::vector<std::byte> EncodeBeacon(const Beacon& beacon);

}  // namespace tarnwick
