// tarnwick-plan's print button: the URL it records, and the real opener behind --open.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <future>
#include <thread>

#include "HttpProbe.h"
#include "PlanProgramRun.h"
#include "TemporaryDirectory.h"
#include "ui/ProgramInfo.h"

namespace tarnwick {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kExampleAUrl = WebSiteBase() +
                                 "print.php?120+50+FL100+0+0+15+0+FL100+0+0+13500++13500+13739+"
                                 "13739+13500+13500++239++0++239+104+110+114+114+n/a+95+Kgs.";

std::vector<std::string> Opened(const nlohmann::json& report) {
  return report.at("opened").get<std::vector<std::string>>();
}

TEST(PlanPrint, EachClickRecordsThePrintUrlOfThePlanShownThen) {
  EXPECT_TRUE(Opened(RunPlanProgramJson({})).empty());
  const std::vector<std::string> opened =
      Opened(RunPlanProgramJson({"--click", "cmdPrint", "--select", "cboUnits=0", "--set",
                                 "chkIcing=1", "--click", "cmdPrint"}));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], kExampleAUrl);
  EXPECT_TRUE(opened[1].ends_with("+104+110+110+136+107+97+Lbs.")) << opened[1];
}

TEST(PlanPrint, SheetListsTheOpenedUrlsOnlyWhenThereAreAny) {
  EXPECT_THAT(RunPlanProgram({}).out, ::testing::Not(HasSubstr("Opened")));
  EXPECT_THAT(RunPlanProgram({"--click", "cmdPrint"}).out,
              HasSubstr("\nOpened\n  " + kExampleAUrl + "\n"));
}

// The offscreen platform has no desktop services, so the system refuses every URL. (On
// Windows the shell hands the URL to whatever the system has: WindowsProgramsTest serves it.)
class PlanOpen : public ::testing::Test {
 protected:
#ifndef _WIN32
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt's GUI session wants a private runtime folder, or it warns and makes one in /tmp.
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
  }
#endif
  std::string WebHost() const { return "127.0.0.1:" + std::to_string(port); }
  std::future<PlanProgramResult> StartPrinting() {
    return std::async(std::launch::async, [host = WebHost()] {
      return RunPlanProgram({"--json", "--open", "--web-host", host, "--click", "cmdPrint"});
    });
  }

  // The front page, which does not count as the print page fetched.
  bool FrontPageAnswers() const {
    try {
      return Fetch(port, "GET", "/Tarnwick/").status == 200;
    } catch (const boost::system::system_error&) {
      return false;  // not listening yet
    }
  }

  const TemporaryDirectory runtime;
  const std::uint16_t port = FreeLoopbackPort();
};

#ifndef _WIN32
// The plan is still printed, the refusal is named, a message box gives the URL to copy by hand
// and the exit status says so; meanwhile the site is served at that URL until a browser (here
// the test) has fetched that page and its style sheet. Another program that fetched the print
// page and the style sheet before it does not end the serving.
TEST_F(PlanOpen, ServesThePageOfAUrlTheSystemRefusedUntilItIsFetched) {
  std::future<PlanProgramResult> run = StartPrinting();
  while (!FrontPageAnswers() &&
         run.wait_for(std::chrono::milliseconds(20)) == std::future_status::timeout) {
  }
  const std::string target = kExampleAUrl.substr(kExampleAUrl.find("/Tarnwick/"));
  for (const std::string other :
       {"/Tarnwick/print.php", "/Tarnwick/print.php?120+50+FL100", "/Tarnwick/tarnwick.css"}) {
    EXPECT_EQ(Fetch(port, "GET", other).status, 200) << other;
  }
  EXPECT_EQ(run.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
  const HttpAnswer page = Fetch(port, "GET", target);
  EXPECT_EQ(page.status, 200);
  EXPECT_THAT(page.body, HasSubstr("<title>ATR 72-500 fuel plan - Tarnwick</title>"));
  EXPECT_EQ(Fetch(port, "GET", "/Tarnwick/tarnwick.css").status, 200);

  const std::string url = "http://" + WebHost() + target;
  const PlanProgramResult result = run.get();
  EXPECT_EQ(result.exitStatus, 3);
  EXPECT_THAT(result.err, HasSubstr("tarnwick-plan: the system did not open " + url + "\n"));
  const nlohmann::json report = nlohmann::json::parse(result.out);
  EXPECT_THAT(Opened(report), ElementsAre(url));
  ASSERT_EQ(report.at("messages").size(), 1u);
  EXPECT_EQ(report.at("messages")[0].at("style"), 48);
  EXPECT_THAT(report.at("messages")[0].at("text").get<std::string>(), HasSubstr("\r\n" + url));
  // Nothing serves there any more.
  EXPECT_ANY_THROW(Fetch(port, "GET", "/Tarnwick/"));
}

#endif

// Another program on the address: the browser is not sent there, and the planner says why.
TEST_F(PlanOpen, AddressTakenByAnotherProgramOpensNothingAndExitsWith3) {
  boost::asio::io_context io;
  boost::asio::ip::tcp::acceptor other(io, {boost::asio::ip::address_v4::loopback(), port});
  const PlanProgramResult result = StartPrinting().get();
  EXPECT_EQ(result.exitStatus, 3);
  EXPECT_THAT(result.err, HasSubstr("tarnwick-plan: The print page cannot be shown: another "
                                    "program already uses " +
                                    WebHost()));
  const nlohmann::json report = nlohmann::json::parse(result.out);
  EXPECT_TRUE(Opened(report).empty());
  ASSERT_EQ(report.at("messages").size(), 1u);
  EXPECT_EQ(report.at("messages")[0].at("style"), 48);
}

// Without --open nothing is served: the URL is only recorded.
TEST(PlanPrint, RecordingAPrintServesNothing) {
  const std::uint16_t port = FreeLoopbackPort();
  const std::string host = "127.0.0.1:" + std::to_string(port);
  boost::asio::io_context io;
  boost::asio::ip::tcp::acceptor other(io, {boost::asio::ip::address_v4::loopback(), port});
  const nlohmann::json report = RunPlanProgramJson({"--web-host", host, "--click", "cmdPrint"});
  EXPECT_TRUE(report.at("messages").empty());
  EXPECT_THAT(Opened(report),
              ElementsAre(::testing::StartsWith("http://" + host + "/Tarnwick/print.php?120+")));
}

}  // namespace
}  // namespace tarnwick
