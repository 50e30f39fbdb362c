// The print site's server over real loopback connections, on a free port.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>
#include <thread>
#endif

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <fstream>
#include <sstream>

#include "HttpProbe.h"
#include "print/LocalSiteHost.h"
#include "print/SiteServer.h"

namespace tarnwick {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string SourceFile(const std::string& name) {
  std::ifstream file(std::string(TARNWICK_WEB_DIR) + "/Tarnwick/" + name, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

LoopbackAddress AnyFreePort() { return {"127.0.0.1", "127.0.0.1", 0}; }

boost::asio::ip::tcp::endpoint Loopback(std::uint16_t port) {
  return {boost::asio::ip::address_v4::loopback(), port};
}

// A GET of the print page with this Host field, on a connection that closes after it.
std::string Request(const std::string& host) {
  return "GET /Tarnwick/print.php?1+2 HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n";
}

// As many as a program that means harm might hold open at once.
constexpr std::size_t kManyConnections = 1000;

// How soon a browser's request is answered however many connections others hold. Under Wine
// every socket call of the Windows build goes through Wine's server process: draining a listen
// queue of a thousand connections there took from 0.2 s to 2.1 s on a loaded two-core machine.
#ifdef _WIN32
constexpr std::chrono::seconds kAnsweredWithin{5};
#else
constexpr std::chrono::seconds kAnsweredWithin{1};
#endif

// Lets this process hold that many sockets: each held connection takes two, the client's and
// the server's.
void RaiseDescriptorLimit([[maybe_unused]] std::size_t descriptors) {
#ifndef _WIN32
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
  if (limit.rlim_cur >= descriptors) return;
  ASSERT_GE(limit.rlim_max, descriptors) << "the hard limit of open files is too low";
  limit.rlim_cur = descriptors;
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &limit), 0);
#endif
}

class SiteServerTest : public ::testing::Test {
 protected:
  void Serve(SiteLimits limits = {}) {
    server = std::make_unique<SiteServer>(limits);
    ASSERT_FALSE(server->Start(AnyFreePort()));
  }
  HttpAnswer Get(const std::string& target) { return Fetch(server->Port(), "GET", target); }

  std::unique_ptr<SiteServer> server;
};

TEST_F(SiteServerTest, ServesEachFileOfTheSiteAsItIsWithItsType) {
  Serve();
  struct Page {
    std::string target, file, type;
  };
  for (const Page& page :
       {Page{"/Tarnwick/", "index.html", "text/html; charset=utf-8"},
        Page{"/Tarnwick/index.html", "index.html", "text/html; charset=utf-8"},
        Page{"/Tarnwick/print.php?1+2+3", "print.php", "text/html; charset=utf-8"},
        Page{"/Tarnwick/tarnwick.css", "tarnwick.css", "text/css; charset=utf-8"}}) {
    const HttpAnswer answer = Get(page.target);
    EXPECT_EQ(answer.status, 200) << page.target;
    EXPECT_EQ(answer.Header("content-type"), page.type) << page.target;
    EXPECT_EQ(answer.Header("x-content-type-options"), "nosniff") << page.target;
    EXPECT_EQ(answer.body, SourceFile(page.file)) << page.target;
  }
}

TEST_F(SiteServerTest, HeadGivesTheHeadersAndLengthWithoutTheBody) {
  Serve();
  const HttpAnswer answer = Fetch(server->Port(), "HEAD", "/Tarnwick/print.php");
  EXPECT_EQ(answer.status, 200);
  EXPECT_EQ(answer.Header("content-type"), "text/html; charset=utf-8");
  EXPECT_EQ(answer.Header("content-length"), std::to_string(SourceFile("print.php").size()));
  EXPECT_EQ(answer.body, "");
  EXPECT_EQ(Fetch(server->Port(), "HEAD", "/Tarnwick/nothing").status, 404);
}

TEST_F(SiteServerTest, NothingOutsideTheSiteIsReachable) {
  Serve();
  for (const std::string target : {"/",
                                   "/Tarnwick",
                                   "/Tarnwick/missing.html",
                                   "/etc/passwd",
                                   "/../etc/passwd",
                                   "/Tarnwick/../Tarnwick/print.php",
                                   "/Tarnwick/./print.php",
                                   "/Tarnwick//print.php",
                                   "/Tarnwick/%2e%2e/%2e%2e/etc/passwd",
                                   "/Tarnwick/..%2f..%2fetc%2fpasswd",
                                   "/Tarnwick/%70rint.php",
                                   "/Tarnwick\\print.php",
                                   "/Tarnwick/..\\..\\windows\\win.ini",
                                   "/Tarnwick/print.php/",
                                   "/Tarnwick/print.php%00",
                                   "//etc/passwd",
                                   "C:\\Windows\\win.ini",
                                   "http://127.0.0.1/Tarnwick/print.php",
                                   "*",
                                   "/TARNWICK/print.php"}) {
    const HttpAnswer answer = Get(target);
    EXPECT_EQ(answer.status, 404) << target;
    EXPECT_EQ(answer.body, "Not found.\n") << target;
  }
}

TEST_F(SiteServerTest, OnlyGetAndHeadAreServed) {
  Serve();
  for (const std::string method : {"POST", "PUT", "DELETE", "OPTIONS", "TRACE"}) {
    const HttpAnswer answer = Fetch(server->Port(), method, "/Tarnwick/print.php");
    EXPECT_EQ(answer.status, 405) << method;
    EXPECT_EQ(answer.Header("allow"), "GET, HEAD") << method;
  }
}

TEST_F(SiteServerTest, OverLongOrMalformedRequestIsRefusedAndTheServerGoesOn) {
  Serve({.maxRequestBytes = 1024});
  const std::string longLine = "GET /Tarnwick/" + std::string(5000, 'a') + " HTTP/1.1\r\n\r\n";
  const HttpExchange longExchange = ExchangeRaw(server->Port(), longLine);
  EXPECT_TRUE(longExchange.closedByServer);
  EXPECT_THAT(longExchange.received, StartsWith("HTTP/1.1 400 "));
  const HttpExchange withBody =
      ExchangeRaw(server->Port(), "POST /Tarnwick/ HTTP/1.1\r\nContent-Length: 5000\r\n\r\n" +
                                      std::string(5000, 'x'));
  EXPECT_THAT(withBody.received, StartsWith("HTTP/1.1 400 "));
  EXPECT_THAT(ExchangeRaw(server->Port(), "\x16\x03\x01 not http\r\n\r\n").received,
              StartsWith("HTTP/1.1 400 "));
  EXPECT_EQ(Get("/Tarnwick/").status, 200);
}

TEST_F(SiteServerTest, SilentClientIsClosedAfterTheIdleTimeout) {
  Serve({.idleTimeout = 200ms});
  const HttpExchange silent = ExchangeRaw(server->Port(), "", 20s);
  EXPECT_TRUE(silent.closedByServer);
  EXPECT_EQ(silent.received, "");
  // A request begun and never finished counts as idle too.
  EXPECT_TRUE(ExchangeRaw(server->Port(), "GET /Tarnwick/ HTTP/1.1\r\n", 20s).closedByServer);
}

TEST_F(SiteServerTest, KeepsAConnectionForSeveralRequests) {
  Serve();
  const std::string twice =
      "GET /Tarnwick/tarnwick.css HTTP/1.1\r\nHost: localhost:" + std::to_string(server->Port()) +
      "\r\n\r\nHEAD /Tarnwick/ HTTP/1.0\r\n\r\n";
  const HttpExchange exchange = ExchangeRaw(server->Port(), twice);
  EXPECT_TRUE(exchange.closedByServer);
  const std::size_t second = exchange.received.find("HTTP/1.0 200 ", 1);
  ASSERT_NE(second, std::string::npos) << exchange.received;
  EXPECT_EQ(ParseAnswer(exchange.received.substr(0, second)).body, SourceFile("tarnwick.css"));
}

// Connections that other programs hold open, having sent nothing, must not keep the browser
// out: its request is answered within a second however many there are.
TEST_F(SiteServerTest, HeldConnectionsDoNotKeepTheNextRequestOut) {
  RaiseDescriptorLimit(2 * kManyConnections + 64);
  Serve();
  for (const std::size_t held : {SiteLimits().maxConnections, kManyConnections}) {
    boost::asio::io_context io;
    std::vector<boost::asio::ip::tcp::socket> idle;
    for (std::size_t i = 0; i < held; ++i) idle.emplace_back(io).connect(Loopback(server->Port()));
    const HttpExchange fetch = ExchangeRaw(
        server->Port(), Request("127.0.0.1:" + std::to_string(server->Port())), kAnsweredWithin);
    EXPECT_THAT(fetch.received, StartsWith("HTTP/1.1 200 ")) << held << " held";
  }
}

TEST_F(SiteServerTest, AnswersOnlyRequestsNamingItsOwnAddress) {
  Serve();
  const std::string port = ":" + std::to_string(server->Port());
  for (const std::string& host :
       {"127.0.0.1" + port, "localhost" + port, "LocalHost" + port, "[::1]" + port}) {
    EXPECT_THAT(ExchangeRaw(server->Port(), Request(host)).received, StartsWith("HTTP/1.1 200 "))
        << host;
  }
  // A page elsewhere whose name was made to resolve to 127.0.0.1 (DNS rebinding) names itself.
  for (const std::string& host : std::vector<std::string>{
           "attacker.example" + port, "attacker.example", "127.0.0.1", "127.0.0.1:1" + port,
           "127.0.0.2" + port, "localhost." + port, "sub.localhost" + port, "[::2]" + port,
           "127.0.0.1" + port + "@attacker.example", "127.0.0.1:0" + port.substr(1), ""}) {
    const HttpAnswer answer = ParseAnswer(ExchangeRaw(server->Port(), Request(host)).received);
    EXPECT_EQ(answer.status, 421) << host;
    EXPECT_EQ(answer.body.find("<html"), std::string::npos) << host;
  }
  const std::string page = "GET /Tarnwick/print.php HTTP/1.";
  EXPECT_THAT(ExchangeRaw(server->Port(), page + "1\r\n\r\n").received,
              StartsWith("HTTP/1.1 400 "));
  EXPECT_THAT(ExchangeRaw(server->Port(), page + "1\r\nHost: 127.0.0.1" + port +
                                              "\r\nHost: attacker.example" + port + "\r\n\r\n")
                  .received,
              StartsWith("HTTP/1.1 400 "));
  EXPECT_THAT(ExchangeRaw(server->Port(), page + "0\r\n\r\n").received,
              StartsWith("HTTP/1.0 200 "));
}

// Another program on this machine may fetch the print page and its style sheet before the
// browser does: only a GET of the exact page awaited, and after it the style sheet, count.
TEST_F(SiteServerTest, CountsOnlyTheAwaitedPageAndThenTheStyleSheet) {
  Serve();
  EXPECT_FALSE(server->WaitUntilPagesFetched(0ms));
  const std::string page = "/Tarnwick/print.php?1+2%2B3";
  server->AwaitPage(page);
  for (const std::string other : {"/Tarnwick/print.php", "/Tarnwick/print.php?1+2",
                                  "/Tarnwick/print.php?1+2%2B3+4", "/Tarnwick/?1+2%2B3"}) {
    EXPECT_EQ(Get(other).status, 200) << other;
  }
  Fetch(server->Port(), "HEAD", page);
  Get("/Tarnwick/tarnwick.css");
  EXPECT_FALSE(server->WaitUntilPagesFetched(0ms));
  Get(page);
  EXPECT_FALSE(server->WaitUntilPagesFetched(0ms));
  Get("/Tarnwick/tarnwick.css");
  EXPECT_TRUE(server->WaitUntilPagesFetched(10s));
}

TEST_F(SiteServerTest, PortHeldByAnotherProgramIsReportedAsTaken) {
  boost::asio::io_context io;
  boost::asio::ip::tcp::acceptor other(io, {boost::asio::ip::address_v4::loopback(), 0});
  const std::uint16_t taken = other.local_endpoint().port();
  SiteServer second;
  const boost::system::error_code error = second.Start({"127.0.0.1", "127.0.0.1", taken});
  EXPECT_TRUE(SiteServer::AddressTaken(error)) << error.message();

  LocalSiteHost site("127.0.0.1:" + std::to_string(taken));
  const std::optional<SiteNotServed> failure = site.EnsureServing();
  ASSERT_TRUE(failure);
  EXPECT_TRUE(failure->addressTaken);
  EXPECT_EQ(failure->address, "127.0.0.1:" + std::to_string(taken));
  EXPECT_EQ(site.LastFailure(), failure);
}

#ifndef _WIN32
// Whether the process holds a socket among its descriptors.
bool HoldsASocket(pid_t process) {
  const std::filesystem::path descriptors = "/proc/" + std::to_string(process) + "/fd";
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(descriptors, error)) {
    if (std::filesystem::read_symlink(entry.path(), error).string().starts_with("socket:")) {
      return true;
    }
  }
  return false;
}

// A program started while the site is served (the browser that Print opens) gets none of the
// server's sockets, so that once the server stops, its port can be served again though that
// program still runs. (A started program drops the sockets it must not keep only as it
// begins, a moment after it was started.)
TEST_F(SiteServerTest, ProgramStartedWhileServingDoesNotKeepThePort) {
  Serve();
  const std::uint16_t port = server->Port();
  char program[] = "sleep";
  char seconds[] = "30";
  char* arguments[] = {program, seconds, nullptr};
  pid_t started = 0;
  ASSERT_EQ(posix_spawnp(&started, "sleep", nullptr, nullptr, arguments, environ), 0);
  const auto deadline = std::chrono::steady_clock::now() + 2s;
  while (HoldsASocket(started) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(1ms);
  }
  const bool holdsASocket = HoldsASocket(started);
  server->Stop();

  SiteServer again;
  const boost::system::error_code error = again.Start({"127.0.0.1", "127.0.0.1", port});
  kill(started, SIGKILL);
  waitpid(started, nullptr, 0);
  EXPECT_FALSE(holdsASocket);
  EXPECT_FALSE(error) << error.message();
}
#endif

TEST(LocalSiteHost, StartsServingOnlyWhenFirstAskedAndStopsWhenTold) {
  const std::uint16_t port = FreeLoopbackPort();
  LocalSiteHost site("localhost:" + std::to_string(port));
  EXPECT_EQ(site.Port(), 0);
  EXPECT_FALSE(site.WaitUntilPageFetched(0ms));
  EXPECT_FALSE(site.EnsureServing());
  EXPECT_EQ(site.Port(), port);
  EXPECT_FALSE(site.EnsureServing());  // already serving
  EXPECT_EQ(Fetch(port, "GET", "/Tarnwick/print.php").status, 200);
  EXPECT_EQ(Fetch(port, "GET", "/Tarnwick/tarnwick.css").status, 200);
  EXPECT_FALSE(site.WaitUntilPageFetched(0ms));  // no page was handed to a browser
  site.HandOver("http://localhost:" + std::to_string(port) + "/Tarnwick/print.php?1");
  EXPECT_EQ(Fetch(port, "GET", "/Tarnwick/print.php?1").status, 200);
  EXPECT_EQ(Fetch(port, "GET", "/Tarnwick/tarnwick.css").status, 200);
  EXPECT_TRUE(site.WaitUntilPageFetched(10s));
  site.Stop();
  EXPECT_EQ(site.Port(), 0);
  EXPECT_THROW(ExchangeRaw(port, "GET / HTTP/1.1\r\n\r\n"), boost::system::system_error);
}

// A browser may look "localhost" up as [::1] first, where another program may listen: it is
// sent to the address served instead, which is the one the URL names.
TEST(LocalSiteHost, SendsTheBrowserToTheAddressServed) {
  const std::uint16_t port = FreeLoopbackPort();
  const std::string served = "127.0.0.1:" + std::to_string(port);
  for (const std::string& webHost : {"localhost:" + std::to_string(port), served}) {
    LocalSiteHost site(webHost);
    const std::string page = "/Tarnwick/print.php?120+50";
    EXPECT_EQ(site.HandOver("http://" + webHost + page), "http://" + webHost + page);  // not served
    ASSERT_FALSE(site.EnsureServing()) << webHost;
    EXPECT_EQ(site.HandOver("http://" + webHost + page), "http://" + served + page);
    EXPECT_EQ(site.HandOver("http://elsewhere.example" + page), "http://elsewhere.example" + page);
  }
}

// The build's own web host may be spelled so (TARNWICK_WEB_HOST): Print then shows why the
// page cannot be shown instead of sending the browser to whatever listens there.
TEST(LocalSiteHost, RefusesOtherSpellingsOfThisComputer) {
  LocalSiteHost site("LOCALHOST:8642");
  const std::optional<SiteNotServed> failure = site.EnsureServing();
  ASSERT_TRUE(failure);
  EXPECT_FALSE(failure->addressTaken);
  EXPECT_EQ(failure->address, "LOCALHOST:8642");
  EXPECT_EQ(site.Port(), 0);
}

TEST(LocalSiteHost, ServesNothingForASiteElsewhere) {
  for (const std::string host : {"example.com:8642", "192.0.2.1:8642", "nonsense:"}) {
    LocalSiteHost site(host);
    EXPECT_FALSE(site.EnsureServing()) << host;
    EXPECT_EQ(site.Port(), 0) << host;
  }
}

}  // namespace
}  // namespace tarnwick
