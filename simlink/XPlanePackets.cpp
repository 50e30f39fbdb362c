#include "simlink/XPlanePackets.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace tarnwick {
namespace {

constexpr std::size_t kBeaconFixedSize = 21;  // header, two versions, three words, the port

void PutBytes(std::vector<std::byte>& packet, std::size_t at, std::string_view text) {
  std::memcpy(packet.data() + at, text.data(), text.size());
}

void Put32(std::vector<std::byte>& packet, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) {
    packet[at + i] = static_cast<std::byte>(value >> (8 * i));
  }
}

std::uint32_t Get32(std::span<const std::byte> packet, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= std::to_integer<std::uint32_t>(packet[at + i]) << (8 * i);
  }
  return value;
}

std::int32_t GetInt32(std::span<const std::byte> packet, std::size_t at) {
  return static_cast<std::int32_t>(Get32(packet, at));
}

float GetFloat(std::span<const std::byte> packet, std::size_t at) {
  return std::bit_cast<float>(Get32(packet, at));
}

bool HasHeader(std::span<const std::byte> packet, std::string_view name) {
  return packet.size() >= kPacketHeaderSize &&
         std::memcmp(packet.data(), name.data(), name.size()) == 0;
}

// A request: the five header bytes, then the fields; the rest stays zero.
std::vector<std::byte> NewRequest(std::size_t size, std::string_view name) {
  std::vector<std::byte> packet(size);
  PutBytes(packet, 0, name);
  return packet;
}

void PutPath(std::vector<std::byte>& packet, std::size_t at, std::size_t field,
             std::string_view dataref) {
  if (dataref.size() >= field) throw std::length_error("dataref path too long for its field");
  PutBytes(packet, at, dataref);
}

// The text up to the first NUL of the field, or to the field's end.
std::string GetText(std::span<const std::byte> field) {
  const auto* begin = reinterpret_cast<const char*>(field.data());
  return {begin, std::find(begin, begin + field.size(), '\0')};
}

}  // namespace

std::vector<std::byte> EncodeRrefRequest(std::int32_t frequency, std::int32_t index,
                                         std::string_view dataref) {
  std::vector<std::byte> packet = NewRequest(kRrefRequestSize, "RREF");
  Put32(packet, 5, static_cast<std::uint32_t>(frequency));
  Put32(packet, 9, static_cast<std::uint32_t>(index));
  PutPath(packet, 13, kRrefPathSize, dataref);
  return packet;
}

std::vector<std::byte> EncodeDrefRequest(float value, std::string_view dataref) {
  std::vector<std::byte> packet = NewRequest(kDrefRequestSize, "DREF");
  Put32(packet, 5, std::bit_cast<std::uint32_t>(value));
  PutPath(packet, 9, kDrefPathSize, dataref);
  return packet;
}

std::vector<RrefValue> DecodeRrefAnswer(std::span<const std::byte> packet) {
  std::vector<RrefValue> values;
  if (!HasHeader(packet, "RREF")) return values;
  const std::size_t pairs = (packet.size() - kPacketHeaderSize) / kRrefPairSize;
  for (std::size_t i = 0; i < pairs; ++i) {
    const std::size_t at = kPacketHeaderSize + i * kRrefPairSize;
    const float value = GetFloat(packet, at + 4);
    if (std::isfinite(value)) values.push_back({GetInt32(packet, at), value});
  }
  return values;
}

std::vector<std::vector<std::byte>> EncodeRrefAnswers(std::span<const RrefValue> values) {
  std::vector<std::vector<std::byte>> packets;
  for (std::size_t first = 0; first < values.size(); first += kMaxRrefPairsPerPacket) {
    const std::size_t count = std::min(kMaxRrefPairsPerPacket, values.size() - first);
    std::vector<std::byte> packet = NewRequest(kPacketHeaderSize + count * kRrefPairSize, "RREF");
    packet[4] = std::byte{','};  // X-Plane 11 and 12 send "RREF,"
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t at = kPacketHeaderSize + i * kRrefPairSize;
      Put32(packet, at, static_cast<std::uint32_t>(values[first + i].index));
      Put32(packet, at + 4, std::bit_cast<std::uint32_t>(values[first + i].value));
    }
    packets.push_back(std::move(packet));
  }
  return packets;
}

std::optional<RrefRequest> DecodeRrefRequest(std::span<const std::byte> packet) {
  if (packet.size() != kRrefRequestSize || !HasHeader(packet, "RREF")) return std::nullopt;
  return RrefRequest{GetInt32(packet, 5), GetInt32(packet, 9),
                     GetText(packet.subspan(13, kRrefPathSize))};
}

std::optional<DrefRequest> DecodeDrefRequest(std::span<const std::byte> packet) {
  if (packet.size() != kDrefRequestSize || !HasHeader(packet, "DREF")) return std::nullopt;
  return DrefRequest{GetFloat(packet, 5), GetText(packet.subspan(9, kDrefPathSize))};
}

std::optional<Beacon> DecodeBeacon(std::span<const std::byte> packet) {
  if (packet.size() < kBeaconFixedSize || !HasHeader(packet, "BECN")) return std::nullopt;
  Beacon beacon;
  beacon.majorVersion = std::to_integer<std::uint8_t>(packet[5]);
  if (beacon.majorVersion != 1) return std::nullopt;
  beacon.minorVersion = std::to_integer<std::uint8_t>(packet[6]);
  beacon.hostId = GetInt32(packet, 7);
  beacon.versionNumber = GetInt32(packet, 11);
  beacon.role = Get32(packet, 15);
  beacon.receivePort = static_cast<std::uint16_t>(std::to_integer<unsigned>(packet[19]) |
                                                  std::to_integer<unsigned>(packet[20]) << 8);
  beacon.hostName = GetText(packet.subspan(kBeaconFixedSize));
  return beacon;
}

std::vector<std::byte> EncodeBeacon(const Beacon& beacon) {
  std::vector<std::byte> packet = NewRequest(kBeaconFixedSize + beacon.hostName.size() + 1, "BECN");
  packet[5] = std::byte{beacon.majorVersion};
  packet[6] = std::byte{beacon.minorVersion};
  Put32(packet, 7, static_cast<std::uint32_t>(beacon.hostId));
  Put32(packet, 11, static_cast<std::uint32_t>(beacon.versionNumber));
  Put32(packet, 15, beacon.role);
  packet[19] = static_cast<std::byte>(beacon.receivePort & 0xFFU);
  packet[20] = static_cast<std::byte>(beacon.receivePort >> 8);
  PutBytes(packet, kBeaconFixedSize, beacon.hostName);
  return packet;
}

}  // namespace tarnwick
