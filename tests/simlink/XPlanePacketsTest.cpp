#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "simlink/XPlanePackets.h"

namespace tarnwick {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

std::vector<std::byte> Bytes(std::initializer_list<unsigned> values) {
  std::vector<std::byte> bytes;
  for (unsigned value : values) bytes.push_back(static_cast<std::byte>(value));
  return bytes;
}

std::vector<std::byte> Text(std::string_view text) {
  std::vector<std::byte> bytes;
  for (char c : text) bytes.push_back(static_cast<std::byte>(c));
  return bytes;
}

void Append(std::vector<std::byte>& packet, const std::vector<std::byte>& more) {
  packet.insert(packet.end(), more.begin(), more.end());
}

// An answer: the header, then (index, value) pairs, both little-endian.
std::vector<std::byte> Answer(std::string_view header,
                              std::initializer_list<std::pair<std::int32_t, float>> pairs) {
  std::vector<std::byte> packet = Text(header);
  for (const auto& [index, value] : pairs) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const auto unsignedIndex = static_cast<std::uint32_t>(index);
    for (int i = 0; i < 4; ++i) packet.push_back(static_cast<std::byte>(unsignedIndex >> (8 * i)));
    for (int i = 0; i < 4; ++i) packet.push_back(static_cast<std::byte>(bits >> (8 * i)));
  }
  return packet;
}

bool AllZeroFrom(const std::vector<std::byte>& packet, std::size_t from) {
  return std::all_of(packet.begin() + static_cast<std::ptrdiff_t>(from), packet.end(),
                     [](std::byte b) { return b == std::byte{0}; });
}

TEST(XPlanePacketsTest, SubscriptionIsFourHundredThirteenLittleEndianBytes) {
  const std::string path = "sim/flightmodel/weight/m_fuel[0]";
  const auto packet = EncodeRrefRequest(10, 0x01020304, path);
  ASSERT_EQ(packet.size(), 413u);
  EXPECT_EQ(std::vector(packet.begin(), packet.begin() + 13),
            Bytes({'R', 'R', 'E', 'F', 0, 10, 0, 0, 0, 4, 3, 2, 1}));
  EXPECT_EQ(std::vector(packet.begin() + 13, packet.begin() + 13 + 32), Text(path));
  EXPECT_TRUE(AllZeroFrom(packet, 13 + path.size())) << "NUL-terminated and zero-padded";

  const auto end = EncodeRrefRequest(0, -1, path);
  EXPECT_EQ(std::vector(end.begin() + 5, end.begin() + 13),
            Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(XPlanePacketsTest, SetIsFiveHundredNineLittleEndianBytes) {
  const std::string path = "sim/flightmodel/weight/m_fixed";
  const auto packet = EncodeDrefRequest(1099.5F, path);  // 0x44897000
  ASSERT_EQ(packet.size(), 509u);
  EXPECT_EQ(std::vector(packet.begin(), packet.begin() + 9),
            Bytes({'D', 'R', 'E', 'F', 0, 0x00, 0x70, 0x89, 0x44}));
  EXPECT_EQ(std::vector(packet.begin() + 9, packet.begin() + 9 + 30), Text(path));
  EXPECT_TRUE(AllZeroFrom(packet, 9 + path.size()));
}

TEST(XPlanePacketsTest, PathMustLeaveRoomForItsNul) {
  EXPECT_EQ(EncodeRrefRequest(1, 1, std::string(399, 'a')).size(), 413u);
  EXPECT_THROW(EncodeRrefRequest(1, 1, std::string(400, 'a')), std::length_error);
  EXPECT_EQ(EncodeDrefRequest(1.0F, std::string(499, 'a')).size(), 509u);
  EXPECT_THROW(EncodeDrefRequest(1.0F, std::string(500, 'a')), std::length_error);
}

TEST(XPlanePacketsTest, RequestsReadBackAsSent) {
  const auto subscription = DecodeRrefRequest(EncodeRrefRequest(5, 42, "sim/a"));
  ASSERT_TRUE(subscription);
  EXPECT_EQ(subscription->frequency, 5);
  EXPECT_EQ(subscription->index, 42);
  EXPECT_EQ(subscription->dataref, "sim/a");
  const auto set = DecodeDrefRequest(EncodeDrefRequest(-2.5F, "sim/b"));
  ASSERT_TRUE(set);
  EXPECT_EQ(set->value, -2.5F);
  EXPECT_EQ(set->dataref, "sim/b");

  auto truncated = EncodeRrefRequest(5, 42, "sim/a");
  truncated.pop_back();
  EXPECT_FALSE(DecodeRrefRequest(truncated));
  EXPECT_FALSE(DecodeDrefRequest(EncodeRrefRequest(5, 42, "sim/a")));
}

TEST(XPlanePacketsTest, AnswerPairsAreDecodedWhateverTheFifthHeaderByte) {
  EXPECT_THAT(DecodeRrefAnswer(Answer("RREF,", {{1, 2.5F}, {-7, -1.0F}})),
              ElementsAre(RrefValue{1, 2.5F}, RrefValue{-7, -1.0F}));
  EXPECT_THAT(DecodeRrefAnswer(Answer(std::string_view("RREF\0", 5), {{3, 4.0F}})),
              ElementsAre(RrefValue{3, 4.0F}));
  EXPECT_THAT(DecodeRrefAnswer(Answer("RREFO", {{3, 4.0F}})), ElementsAre(RrefValue{3, 4.0F}));
}

TEST(XPlanePacketsTest, HostileAnswersYieldOnlyTheirWholeFiniteValues) {
  EXPECT_THAT(DecodeRrefAnswer(Text("RRE")), IsEmpty()) << "shorter than the header";
  EXPECT_THAT(DecodeRrefAnswer(Text("RREF")), IsEmpty());
  EXPECT_THAT(DecodeRrefAnswer(Answer("RREF,", {})), IsEmpty());
  EXPECT_THAT(DecodeRrefAnswer(Answer("DREF,", {{1, 2.0F}})), IsEmpty()) << "another header";
  EXPECT_THAT(DecodeRrefAnswer(Answer("rref,", {{1, 2.0F}})), IsEmpty());

  auto oddLength = Answer("RREF,", {{1, 2.0F}, {2, 3.0F}});
  oddLength.pop_back();
  EXPECT_THAT(DecodeRrefAnswer(oddLength), ElementsAre(RrefValue{1, 2.0F}));

  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  EXPECT_THAT(DecodeRrefAnswer(Answer("RREF,", {{1, std::nanf("")},
                                                {2, kInfinity},
                                                {3, -kInfinity},
                                                {4, std::numeric_limits<float>::max()}})),
              ElementsAre(RrefValue{4, std::numeric_limits<float>::max()}));
}

TEST(XPlanePacketsTest, AnswersCarryAtMost183ValuesEach) {
  std::vector<RrefValue> values;
  for (std::int32_t i = 0; i < 184; ++i) values.push_back({i, static_cast<float>(i)});
  const auto packets = EncodeRrefAnswers(values);
  ASSERT_EQ(packets.size(), 2u);
  EXPECT_EQ(packets[0].size(), 5u + 183u * 8u);
  EXPECT_EQ(packets[1].size(), 5u + 8u);
  EXPECT_THAT(DecodeRrefAnswer(packets[1]), ElementsAre(RrefValue{183, 183.0F}));
}

// A beacon as X-Plane 12 sends it: version 1.2, host 1, version 120011, master, port 49000.
std::vector<std::byte> XPlaneBeacon() {
  auto packet = Bytes(
      {'B', 'E', 'C', 'N', 0, 1, 2, 1, 0, 0, 0, 0xCB, 0xD4, 0x01, 0x00, 1, 0, 0, 0, 0x68, 0xBF});
  Append(packet, Text("sim-pc"));
  packet.push_back(std::byte{0});
  return packet;
}

TEST(XPlanePacketsTest, BeaconFieldsSitAtTheirOffsets) {
  const auto beacon = DecodeBeacon(XPlaneBeacon());
  ASSERT_TRUE(beacon);
  EXPECT_EQ(beacon->majorVersion, 1);
  EXPECT_EQ(beacon->minorVersion, 2);
  EXPECT_EQ(beacon->hostId, 1);
  EXPECT_EQ(beacon->versionNumber, 120011);
  EXPECT_EQ(beacon->role, 1u);
  EXPECT_EQ(beacon->receivePort, 49000);
  EXPECT_EQ(beacon->hostName, "sim-pc");
  EXPECT_EQ(EncodeBeacon(*beacon), XPlaneBeacon());
}

TEST(XPlanePacketsTest, HostileBeaconsAreRefusedOrCutShort) {
  auto beacon = XPlaneBeacon();
  EXPECT_FALSE(DecodeBeacon(std::span(beacon).first(20))) << "shorter than its fixed part";
  auto noName = std::vector(beacon.begin(), beacon.begin() + 21);
  ASSERT_TRUE(DecodeBeacon(noName));
  EXPECT_EQ(DecodeBeacon(noName)->hostName, "");
  beacon.pop_back();  // the name's NUL
  EXPECT_EQ(DecodeBeacon(beacon)->hostName, "sim-pc");
  beacon[5] = std::byte{2};
  EXPECT_FALSE(DecodeBeacon(beacon)) << "another major version";
  beacon[5] = std::byte{1};
  beacon[0] = std::byte{'X'};
  EXPECT_FALSE(DecodeBeacon(beacon));
}

}  // namespace
}  // namespace tarnwick
