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
    settings.probeWait = std::chrono::milliseconds(200);
    settings.readWait = std::chrono::milliseconds(200);
    return settings;
  }

  std::unique_ptr<XPlanePort> port = MakeSystemXPlanePort();
  XPlaneSubstitute substitute{{.payloadKg = 4643.69F}, nullptr};
  XPlaneStubServer server{*port, {kLoopbackAddress, 0}, substitute};
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

}  // namespace
}  // namespace tarnwick
