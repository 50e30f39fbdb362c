#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "simlink/XPlaneAircraft.h"
#include "simlink/XPlaneClient.h"
#include "simlink/XPlaneDatarefs.h"
#include "simlink/XPlanePackets.h"
#include "simstub/FakeXPlanePort.h"

namespace tarnwick {
namespace {

using testing::ElementsAre;
using testing::Pair;

constexpr UdpEndpoint kLanXPlane{0xC0A80105, 49001};  // 192.168.1.5

std::vector<std::byte> AnswerFor(std::int32_t index, float value) {
  const RrefValue values[] = {{index, value}};
  return EncodeRrefAnswers(values).front();
}

constexpr std::uint32_t kBeaconGroup = 0xEFFF0101;

Datagram BeaconFrom(std::uint32_t address, std::uint16_t receivePort, std::int32_t hostId = 1,
                    std::uint32_t role = 1) {
  return {{address, 49707},
          EncodeBeacon({1, 2, hostId, 120011, role, receivePort, "sim-pc"}),
          kBeaconGroup};
}

class XPlaneClientTest : public testing::Test {
 protected:
  // The frequency and index of every subscription sent, in order.
  std::vector<std::pair<std::int32_t, std::int32_t>> Subscriptions() const {
    std::vector<std::pair<std::int32_t, std::int32_t>> sent;
    for (const RrefRequest& request : port.SubscriptionsSent()) {
      sent.emplace_back(request.frequency, request.index);
    }
    return sent;
  }
  XPlaneClient& FoundClient() {
    EXPECT_TRUE(client.Find());
    port.sent.clear();
    return client;
  }

  FakeXPlanePort port;
  XPlaneLinkSettings settings;
  XPlaneClient client{port, settings};
};

TEST_F(XPlaneClientTest, WithoutBeaconTheFallbackIsProbedAndUnsubscribed) {
  ASSERT_TRUE(client.Find());
  EXPECT_THAT(port.groupsListened, ElementsAre(UdpEndpoint{0xEFFF0101, 49707}));
  EXPECT_EQ(client.Address(), (UdpEndpoint{kLoopbackAddress, 49000}));
  EXPECT_THAT(Subscriptions(), ElementsAre(Pair(10, 1), Pair(0, 1)));
  EXPECT_EQ(port.XPlane().Subscriptions(), 0u) << "the probe leaves nothing subscribed";
}

TEST_F(XPlaneClientTest, TheOneXPlaneMasterHeardThroughTheGroupGivesTheAddress) {
  port.xplaneEndpoint = kLanXPlane;
  const std::vector<std::byte> notABeacon(3);
  port.beacons.push_back({{kLanXPlane.address, 49707}, notABeacon, kBeaconGroup});
  port.beacons.push_back(BeaconFrom(0xC0A80109, 49000, 2));     // PlaneMaker
  port.beacons.push_back(BeaconFrom(0xC0A80109, 49000, 1, 2));  // an external visual
  port.beacons.push_back(BeaconFrom(kLanXPlane.address, kLanXPlane.port));
  Datagram sentStraight = BeaconFrom(0xC0A80109, 49000);
  sentStraight.destination = 0xC0A80102;  // this host's own address
  port.beacons.push_back(sentStraight);
  port.beacons.push_back(BeaconFrom(kLanXPlane.address, kLanXPlane.port));  // a second later
  ASSERT_TRUE(client.Find());
  EXPECT_EQ(client.Address(), kLanXPlane);
  EXPECT_THAT(client.XPlanesHeard(), ElementsAre(kLanXPlane));
}

TEST_F(XPlaneClientTest, TwoXPlanesHeardMeansNoneNotEvenTheFallback) {
  port.beacons.push_back(BeaconFrom(kLanXPlane.address, kLanXPlane.port));
  port.beacons.push_back(BeaconFrom(kLoopbackAddress, 49000));
  EXPECT_FALSE(client.Find());
  EXPECT_TRUE(port.sent.empty());
  EXPECT_THAT(client.XPlanesHeard(), ElementsAre(kLanXPlane, UdpEndpoint{kLoopbackAddress, 49000}));
}

TEST_F(XPlaneClientTest, ConfiguredAddressIsUsedWithoutListening) {
  port.xplaneEndpoint = {kLoopbackAddress, 49500};
  XPlaneClient configured(port, {.address = "localhost:49500"});
  ASSERT_TRUE(configured.Find());
  EXPECT_TRUE(port.groupsListened.empty());
  EXPECT_EQ(configured.Address(), port.xplaneEndpoint);

  for (const char* wrong :
       {"localhost", "localhost:0", "localhost:65536", "nohost:49500", ":49500", "localhost:49x"}) {
    port.sent.clear();
    XPlaneClient misconfigured(port, {.address = wrong});
    EXPECT_FALSE(misconfigured.Find()) << wrong;
    EXPECT_TRUE(port.sent.empty()) << wrong << ": nothing is sent anywhere else";
  }
}

TEST_F(XPlaneClientTest, SilentXPlaneIsAskedTwiceAndNotFound) {
  port.SetUpXPlane({.silent = true});
  EXPECT_FALSE(client.Find());
  EXPECT_THAT(Subscriptions(), ElementsAre(Pair(10, 1), Pair(10, 1), Pair(0, 1)));
  EXPECT_FALSE(client.Read(kPayloadDataref)) << "nothing is read before X-Plane is found";
}

TEST_F(XPlaneClientTest, NoSocketMeansNotFound) {
  port.socketsFail = true;
  EXPECT_FALSE(client.Find());
  EXPECT_TRUE(port.sent.empty());
}

TEST_F(XPlaneClientTest, ReadTakesTheFirstValidAnswerOfItsOwnIndex) {
  port.SetUpXPlane({.payloadKg = 4643.5F});
  XPlaneClient& xplane = FoundClient();  // used index 1
  const UdpEndpoint source = port.xplaneEndpoint;
  std::vector<std::byte> cutShort = AnswerFor(2, 6.0F);
  cutShort.pop_back();
  port.strays = {
      {source, AnswerFor(2, std::nanf(""))},
      {source, AnswerFor(2, std::numeric_limits<float>::infinity())},
      {source, AnswerFor(77, 1.0F)},                  // an index never used
      {{0x0A000001, 49000}, AnswerFor(2, 5.0F)},      // from another host
      {{source.address, 49001}, AnswerFor(2, 5.0F)},  // from another port of X-Plane's host
      {source, cutShort},
  };
  EXPECT_EQ(xplane.Read(kPayloadDataref), 4643.5F);
  EXPECT_THAT(Subscriptions(), ElementsAre(Pair(10, 2), Pair(0, 2)));
}

TEST_F(XPlaneClientTest, AnswersToAnEndedSubscriptionAreUnsubscribedAgainOnce) {
  XPlaneClient& xplane = FoundClient();
  port.strays = {{port.xplaneEndpoint, AnswerFor(1, 2000.0F)},
                 {port.xplaneEndpoint, AnswerFor(1, 2000.0F)}};
  ASSERT_TRUE(xplane.Read(kPayloadDataref));
  EXPECT_THAT(Subscriptions(), ElementsAre(Pair(10, 2), Pair(0, 1), Pair(0, 2)));
}

TEST_F(XPlaneClientTest, ReadFailsAfterTwoUnansweredSends) {
  XPlaneClient& xplane = FoundClient();
  port.xplanePresent = false;
  const auto start = port.Now();
  EXPECT_FALSE(xplane.Read(kPayloadDataref));
  EXPECT_THAT(Subscriptions(), ElementsAre(Pair(10, 2), Pair(10, 2), Pair(0, 2)));
  EXPECT_EQ(port.Now() - start, std::chrono::milliseconds(2000)) << "then it gives up";
}

TEST_F(XPlaneClientTest, SetIsReadBackWithinOneKilogram) {
  XPlaneClient& xplane = FoundClient();
  EXPECT_TRUE(xplane.Set(kLeftTankFuelDataref, 1099.25F));
  EXPECT_THAT(port.drefs, ElementsAre(Pair(std::string(kLeftTankFuelDataref), 1099.25F)));
  EXPECT_EQ(port.XPlane().Value(std::string(kLeftTankFuelDataref)), 1099.25F);
}

TEST_F(XPlaneClientTest, SetThatDoesNotTakeFailsAfterSendingItTwice) {
  port.SetUpXPlane({.ignoreWrites = true});
  XPlaneClient& xplane = FoundClient();
  EXPECT_FALSE(xplane.Set(kLeftTankFuelDataref, 500.0F));
  EXPECT_EQ(port.drefs.size(), 2u);
  EXPECT_EQ(port.XPlane().Subscriptions(), 0u);
}

TEST_F(XPlaneClientTest, ReadBackWithinTheToleranceCounts) {
  XPlaneClient& xplane = FoundClient();
  // Another client's write lands between: 0.9 kg off is still a success, 1.1 kg is not.
  port.strays = {{port.xplaneEndpoint, AnswerFor(2, 101.1F)},
                 {port.xplaneEndpoint, AnswerFor(2, 100.9F)}};
  port.xplanePresent = false;
  EXPECT_TRUE(xplane.Set(kLeftTankFuelDataref, 100.0F));
  port.strays = {{port.xplaneEndpoint, AnswerFor(3, 101.1F)}};
  EXPECT_FALSE(xplane.Set(kLeftTankFuelDataref, 100.0F));
}

TEST_F(XPlaneClientTest, BoardingChecksBothTanksThenSetsLeftFirst) {
  XPlaneClient& xplane = FoundClient();
  EXPECT_TRUE(BoardXPlaneFuel(xplane, 1234.5));
  EXPECT_THAT(port.drefs, ElementsAre(Pair(std::string(kLeftTankFuelDataref), 1234.5F),
                                      Pair(std::string(kRightTankFuelDataref), 1234.5F)));
}

TEST_F(XPlaneClientTest, MissingTankRefusesFuelButNotAnEmptyPlan) {
  port.SetUpXPlane({.rightTankShare = 0.0F});
  XPlaneClient& xplane = FoundClient();
  EXPECT_FALSE(BoardXPlaneFuel(xplane, 100.0));
  EXPECT_TRUE(port.drefs.empty()) << "nothing is written";
  EXPECT_TRUE(BoardXPlaneFuel(xplane, 0.0));
  EXPECT_EQ(port.drefs.size(), 2u);
}

}  // namespace
}  // namespace tarnwick
