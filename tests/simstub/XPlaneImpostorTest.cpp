// The X-Plane link on the system's real sockets against other programs on this machine that
// pose as X-Plane or as its beacon: answers from another port, a flood of answers to ended
// subscriptions, and beacons sent straight to the listener's port instead of through the group.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

#include "simlink/SystemXPlanePort.h"
#include "simlink/XPlaneClient.h"
#include "simlink/XPlaneDatarefs.h"
#include "simlink/XPlanePackets.h"
#include "simstub/XPlaneStubServer.h"

namespace tarnwick {
namespace {

using testing::Each;
using testing::ElementsAre;
using testing::Field;
using testing::Pair;
using testing::UnorderedElementsAre;

constexpr std::uint32_t kGroup = 0xEFFF0101;  // 239.255.1.1

std::vector<std::byte> Answers(std::int32_t index, float value, std::size_t count = 1) {
  const std::vector<RrefValue> values(count, {index, value});
  return EncodeRrefAnswers(values).front();
}

std::vector<std::byte> BeaconNaming(std::uint16_t receivePort) {
  return EncodeBeacon(
      {1, 2, kBeaconHostXPlane, 120011, kBeaconRoleMaster, receivePort, "impostor-test"});
}

// A socket of the system port that keeps what is sent through it, from any thread.
class RecordingSocket final : public UdpSocket {
 public:
  explicit RecordingSocket(std::unique_ptr<UdpSocket> socket) : socket_(std::move(socket)) {}

  struct Sent {
    UdpEndpoint to;
    std::vector<std::byte> bytes;
  };

  bool SendTo(const UdpEndpoint& destination, std::span<const std::byte> bytes) override {
    {
      const std::lock_guard lock(mutex_);
      sent.push_back({destination, {bytes.begin(), bytes.end()}});
    }
    return socket_->SendTo(destination, bytes);
  }
  std::optional<Datagram> Receive(std::chrono::milliseconds wait) override {
    return socket_->Receive(wait);
  }
  UdpEndpoint LocalEndpoint() override { return socket_->LocalEndpoint(); }

  std::vector<Sent> sent;  // read it once the sending threads are done

 private:
  std::unique_ptr<UdpSocket> socket_;
  std::mutex mutex_;
};

// The system port, keeping the sockets it opens in order. Each may only be used while its
// owner holds it.
class RecordingPort final : public XPlanePort {
 public:
  std::unique_ptr<UdpSocket> OpenSocket(const UdpEndpoint& local) override {
    std::unique_ptr<UdpSocket> opening = system_->OpenSocket(local);
    if (!opening) return nullptr;
    auto socket = std::make_unique<RecordingSocket>(std::move(opening));
    opened.push_back(socket.get());
    return socket;
  }
  std::unique_ptr<UdpSocket> OpenGroupListener(const UdpEndpoint& group) override {
    return system_->OpenGroupListener(group);
  }
  std::optional<std::uint32_t> ResolveHost(const std::string& host) override {
    return system_->ResolveHost(host);
  }
  std::chrono::steady_clock::time_point Now() override { return system_->Now(); }

  std::vector<RecordingSocket*> opened;

 private:
  std::unique_ptr<XPlanePort> system_ = MakeSystemXPlanePort();
};

// A substitute X-Plane served on its own thread.
class ServedXPlane {
 public:
  ServedXPlane(XPlanePort& port, const UdpEndpoint& local, XPlaneSubstituteSetup setup)
      : substitute_(setup, nullptr),
        server_(port, local, substitute_),
        serving_([this] { server_.Serve([this] { return stop_.load(); }); }) {}
  ~ServedXPlane() {
    stop_ = true;
    serving_.join();
  }
  ServedXPlane(const ServedXPlane&) = delete;
  ServedXPlane& operator=(const ServedXPlane&) = delete;

  std::uint16_t Port() const { return server_.LocalEndpoint().port; }

 private:
  XPlaneSubstitute substitute_;
  XPlaneStubServer server_;
  std::atomic<bool> stop_{false};
  std::thread serving_;
};

XPlaneLinkSettings QuickSettings() {
  XPlaneLinkSettings settings;
  settings.beaconWait = std::chrono::milliseconds(1000);
  settings.probeWait = std::chrono::milliseconds(200);
  settings.readWait = std::chrono::milliseconds(200);
  settings.fallback = {kLoopbackAddress, 9};  // the discard port: only a beacon can help
  return settings;
}

class XPlaneImpostorTest : public testing::Test {
 protected:
  // The client's socket once it has found X-Plane: the last one opened.
  RecordingSocket& Link() { return *port.opened.back(); }
  UdpEndpoint LinkEndpoint() { return {kLoopbackAddress, Link().LocalEndpoint().port}; }

  RecordingPort port;
  ServedXPlane xplane{port, {kLoopbackAddress, 0}, {.payloadKg = 4643.69F, .ignoreWrites = true}};
  RecordingSocket& fromXPlane = *port.opened.front();
  std::unique_ptr<UdpSocket> impostor = port.OpenSocket({kLoopbackAddress, 0});
};

// Answers sent first by another program of this machine, from its own port, are not read: the
// read gets X-Plane's payload, and a set that X-Plane ignores is not taken as done.
TEST_F(XPlaneImpostorTest, AnswersFromAnotherPortAreDropped) {
  XPlaneLinkSettings settings = QuickSettings();
  settings.address = "127.0.0.1:" + std::to_string(xplane.Port());
  XPlaneClient client(port, settings);
  ASSERT_TRUE(client.Find());  // index 1
  impostor->SendTo(LinkEndpoint(), Answers(2, 994.0F));
  EXPECT_EQ(client.Read(kPayloadDataref), 4643.69F);
  impostor->SendTo(LinkEndpoint(), Answers(3, 1234.5F));
  impostor->SendTo(LinkEndpoint(), Answers(3, 1234.5F));
  EXPECT_FALSE(client.Set(kLeftTankFuelDataref, 1234.5F));
}

// Answers to the ended probe, 183 to a datagram, from X-Plane's own address and port, are met
// with one unsubscription; those of an index never used with none. All go to X-Plane.
TEST_F(XPlaneImpostorTest, StaleAnswersAreUnsubscribedOncePerExchange) {
  XPlaneLinkSettings settings = QuickSettings();
  settings.address = "127.0.0.1:" + std::to_string(xplane.Port());
  XPlaneClient client(port, settings);
  ASSERT_TRUE(client.Find());  // index 1
  for (int datagram = 0; datagram < 20; ++datagram) {
    fromXPlane.SendTo(LinkEndpoint(), Answers(1, 2000.0F, kMaxRrefPairsPerPacket));
    fromXPlane.SendTo(LinkEndpoint(), Answers(77, 2000.0F, kMaxRrefPairsPerPacket));
  }
  const RecordingSocket& link = Link();
  const std::size_t sentByFind = link.sent.size();
  EXPECT_EQ(client.Read(kPayloadDataref), 4643.69F);
  std::map<std::int32_t, int> unsubscriptions;
  for (std::size_t at = sentByFind; at < link.sent.size(); ++at) {
    const auto request = DecodeRrefRequest(link.sent[at].bytes);
    if (request && request->frequency == 0) ++unsubscriptions[request->index];
  }
  EXPECT_THAT(unsubscriptions, ElementsAre(Pair(1, 1), Pair(2, 1)));
  EXPECT_THAT(link.sent, Each(Field(&RecordingSocket::Sent::to,
                                    UdpEndpoint{kLoopbackAddress, xplane.Port()})));
}

// Sends through the multicast group as X-Plane sends its beacon, with a time to live of 0: the
// datagram is looped back to this machine's members of the group and leaves it on no network.
class GroupSender {
 public:
  GroupSender() : socket_(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) {
    const int timeToLive = 0;
    setsockopt(socket_, IPPROTO_IP, IP_MULTICAST_TTL, reinterpret_cast<const char*>(&timeToLive),
               sizeof timeToLive);
  }
  ~GroupSender() {
#ifdef _WIN32
    closesocket(socket_);
#else
    close(socket_);
#endif
  }
  GroupSender(const GroupSender&) = delete;
  GroupSender& operator=(const GroupSender&) = delete;

  void Send(const UdpEndpoint& group, std::span<const std::byte> bytes) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(group.address);
    address.sin_port = htons(group.port);
#ifdef _WIN32
    const auto length = static_cast<int>(bytes.size());
#else
    const std::size_t length = bytes.size();
#endif
    sendto(socket_, reinterpret_cast<const char*>(bytes.data()), length, 0,
           reinterpret_cast<const sockaddr*>(&address), sizeof address);
  }

 private:
#ifdef _WIN32
  SOCKET socket_;
#else
  int socket_;
#endif
};

// The client looks for X-Plane while beacons go out every 20 ms, as X-Plane sends one every
// second, each through the group or straight to the group's port on 127.0.0.1 as chosen.
class BeaconTest : public testing::Test {
 protected:
  void SetUp() override {
    settings.beaconGroup = {kGroup, port->OpenSocket({0, 0})->LocalEndpoint().port};
    if (!port->OpenGroupListener(settings.beaconGroup)) {
      GTEST_SKIP() << "this machine cannot join a multicast group (no interface for it)";
    }
  }
  struct Announcement {
    std::uint16_t receivePort;
    bool throughGroup;
  };
  bool FindWhileAnnouncing(XPlaneClient& client, const std::vector<Announcement>& announcements) {
    std::atomic<bool> done{false};
    std::thread announcing([&] {
      GroupSender group;
      const auto straight = port->OpenSocket({kLoopbackAddress, 0});
      for (int round = 0; round < 250 && !done; ++round) {
        for (const Announcement& announcement : announcements) {
          if (announcement.throughGroup) {
            group.Send(settings.beaconGroup, BeaconNaming(announcement.receivePort));
          } else {
            straight->SendTo({kLoopbackAddress, settings.beaconGroup.port},
                             BeaconNaming(announcement.receivePort));
          }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    });
    const bool found = client.Find();
    done = true;
    announcing.join();
    return found;
  }

  std::unique_ptr<XPlanePort> port = MakeSystemXPlanePort();
  XPlaneLinkSettings settings = QuickSettings();
  // Served on every interface: a beacon sent through the group comes from the address of the
  // interface the group is joined on, not necessarily 127.0.0.1.
  ServedXPlane xplane{*port, {0, 0}, {}};
  ServedXPlane impostor{*port, {0, 0}, {}};
};

TEST_F(BeaconTest, BeaconSentStraightToTheListenerIsIgnored) {
  XPlaneClient client(*port, settings);
  EXPECT_FALSE(FindWhileAnnouncing(client, {{impostor.Port(), false}}));
  EXPECT_TRUE(client.XPlanesHeard().empty());
  EXPECT_TRUE(FindWhileAnnouncing(client, {{impostor.Port(), false}, {xplane.Port(), true}}));
  EXPECT_EQ(client.Address().port, xplane.Port());
}

TEST_F(BeaconTest, TwoXPlanesAnnouncingMeansNeitherIsUsed) {
  XPlaneClient client(*port, settings);
  EXPECT_FALSE(FindWhileAnnouncing(client, {{impostor.Port(), true}, {xplane.Port(), true}}));
  EXPECT_THAT(client.XPlanesHeard(),
              UnorderedElementsAre(Field(&UdpEndpoint::port, impostor.Port()),
                                   Field(&UdpEndpoint::port, xplane.Port())));
}

}  // namespace
}  // namespace tarnwick
