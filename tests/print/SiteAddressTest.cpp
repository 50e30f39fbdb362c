// Which web hosts the planner serves itself, and which files a request target reaches.
#include <gtest/gtest.h>

#include "print/LoopbackAddress.h"
#include "print/SiteFiles.h"

namespace tarnwick {
namespace {

TEST(LoopbackAddressOf, ReadsLoopbackHostsWithTheirPorts) {
  const auto plain = LoopbackAddressOf("127.0.0.1:8642");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->ip, "127.0.0.1");
  EXPECT_EQ(plain->port, 8642);
  EXPECT_EQ(plain->HostAndPort(), "127.0.0.1:8642");
  const auto named = LoopbackAddressOf("localhost:9000");
  ASSERT_TRUE(named);
  EXPECT_EQ(named->ip, "127.0.0.1");
  EXPECT_EQ(named->HostAndPort(), "localhost:9000");
  const auto v6 = LoopbackAddressOf("[::1]:8642");
  ASSERT_TRUE(v6);
  EXPECT_EQ(v6->ip, "::1");
  EXPECT_EQ(v6->HostAndPort(), "[::1]:8642");
  EXPECT_EQ(LoopbackAddressOf("127.1.2.3")->port, 80);
}

TEST(LoopbackAddressOf, RefusesHostsElsewhereAndUnreadablePorts) {
  for (const char* host : {"example.com:8642", "192.0.2.1:8642", "0.0.0.0:8642", "[::]:8642",
                           "127.0.0.1:0", "127.0.0.1:65536", "127.0.0.1:86x", "127.0.0.1:-1", ""}) {
    EXPECT_FALSE(LoopbackAddressOf(host)) << host;
  }
}

TEST(IsWebHost, TakesNamesAddressesAndPortsAndNothingElse) {
  for (const char* host : {"127.0.0.1:8642", "localhost", "host.example:80", "[::1]:8642",
                           "[2001:db8::1]", "tarnwick-web.example.org:65535"}) {
    EXPECT_TRUE(IsWebHost(host)) << host;
  }
  for (const char* host : {"", ":8642", "host:", "host:0", "host:65536", "host:8x", "::1", "[::1",
                           "[nonsense]:80", "host name:80", "host/path", "host#x", "user@host",
                           "h\x1bst:80", "h\xc3\xa9:80", "host:80:81"}) {
    EXPECT_FALSE(IsWebHost(host)) << host;
  }
}

// A browser reads each of these as this computer, where the planner does not serve the site:
// it would hand the plan to whatever listens there.
TEST(IsUnservedLoopbackName, FindsOtherSpellingsOfThisComputer) {
  for (const char* host :
       {"127.1:8642", "0x7f000001:8642", "2130706433:8642", "0177.0.0.1:8642", "127.0.0.1.:8642",
        "127.0x0.0.1", "LOCALHOST:8642", "LocalHost", "localhost.:8642", "tarnwick.localhost:8642",
        "0.0.0.0:8642", "0:8642", "[::]:8642", "[::ffff:127.0.0.1]:8642", "[::ffff:7f00:2]"}) {
    EXPECT_TRUE(IsUnservedLoopbackName(host)) << host;
  }
  for (const char* host : {"127.0.0.1:8642", "127.1.2.3", "localhost:8642", "[::1]:8642",
                           "[0:0::1]:8642", "example.com:8642", "192.0.2.1:8642", "1.2.3.4.5:80",
                           "localhost.example:80", "127.0.0.1x:80", "[2001:db8::1]"}) {
    EXPECT_FALSE(IsUnservedLoopbackName(host)) << host;
  }
}

TEST(FindSiteFile, ReachesOnlyTheSitesOwnFiles) {
  ASSERT_NE(FindSiteFile("/Tarnwick/"), nullptr);
  EXPECT_EQ(FindSiteFile("/Tarnwick/")->name, "index.html");
  EXPECT_EQ(FindSiteFile("/Tarnwick/?x")->name, "index.html");
  EXPECT_EQ(FindSiteFile("/Tarnwick/print.php?<a>+%00+..")->name, "print.php");
  EXPECT_EQ(FindSiteFile("/Tarnwick/tarnwick.css")->contentType, "text/css; charset=utf-8");
  EXPECT_EQ(FindSiteFile("/Tarnwick/print.php")->contentType, "text/html; charset=utf-8");
  for (const char* target :
       {"", "/", "Tarnwick/print.php", "/Tarnwick/..", "/Tarnwick/../print.php",
        "/Tarnwick/sub/print.php", "/Tarnwick/print.php#x"}) {
    EXPECT_EQ(FindSiteFile(target), nullptr) << target;
  }
}

}  // namespace
}  // namespace tarnwick
