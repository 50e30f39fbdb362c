// The X-Plane link on the system's real sockets against the substitute X-Plane's server, all
// on 127.0.0.1.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "simlink/SystemXPlanePort.h"
#include "simlink/XPlaneAircraft.h"
#include "simlink/XPlaneClient.h"
#include "simlink/XPlaneDatarefs.h"
#include "simlink/XPlanePackets.h"
#include "simstub/XPlaneStubServer.h"

namespace tarnwick {
namespace {

// A port of 127.0.0.1 that was free a moment ago.
std::uint16_t FreeLoopbackPort(XPlanePort& port) {
  return port.OpenSocket({kLoopbackAddress, 0})->LocalEndpoint().port;
}

class XPlaneStubServerTest : public testing::Test {
 protected:
  void SetUp() override {
    serving = std::thread([this] { server.Serve([this] { return stop.load(); }); });
  }
  void TearDown() override {
    stop = true;
    serving.join();
  }
  XPlaneLinkSettings QuickSettings() const {
    XPlaneLinkSettings settings;
    settings.beaconWait = std::chrono::milliseconds(2000);
    settings.probeWait = std::chrono::milliseconds(200);
    settings.readWait = std::chrono::milliseconds(200);
    return settings;
  }

  std::unique_ptr<XPlanePort> port = MakeSystemXPlanePort();
  XPlaneSubstitute substitute{{.payloadKg = 4643.69F}, nullptr};
  XPlaneStubServer server{*port, 0, substitute};
  std::atomic<bool> stop{false};
  std::thread serving;
};

TEST_F(XPlaneStubServerTest, PayloadAndFuelGoThroughRealSockets) {
  XPlaneLinkSettings settings = QuickSettings();
  settings.address = "127.0.0.1:" + std::to_string(server.LocalEndpoint().port);
  XPlaneClient client(*port, settings);
  ASSERT_TRUE(client.Find());
  EXPECT_EQ(ReadXPlanePayloadKg(client), 4643.69F);
  EXPECT_TRUE(BoardXPlaneFuel(client, 1099.0));
  EXPECT_FALSE(client.Read("sim/no/such/dataref")) << "an unanswered read ends";
}

// The beacon comes to a unicast port of 127.0.0.1 instead of the multicast group, sent again
// every 20 ms as X-Plane sends it every second, until the client has heard one.
TEST_F(XPlaneStubServerTest, BeaconLeadsToTheServer) {
  XPlaneLinkSettings settings = QuickSettings();
  settings.beaconGroup = {kLoopbackAddress, FreeLoopbackPort(*port)};
  settings.fallback = {kLoopbackAddress, 9};  // the discard port: only the beacon can help
  const std::vector<std::byte> beacon =
      EncodeBeacon({1, 2, kBeaconHostXPlane, 120011, kBeaconRoleMaster, server.LocalEndpoint().port,
                    "substitute"});
  std::atomic<bool> found{false};
  std::thread beaconing([&] {
    const auto sender = port->OpenSocket({kLoopbackAddress, 0});
    for (int sent = 0; sent < 500 && !found; ++sent) {
      sender->SendTo(settings.beaconGroup, beacon);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  XPlaneClient client(*port, settings);
  const bool foundIt = client.Find();
  found = true;
  beaconing.join();
  ASSERT_TRUE(foundIt);
  EXPECT_EQ(client.Address(), server.LocalEndpoint());
}

}  // namespace
}  // namespace tarnwick
