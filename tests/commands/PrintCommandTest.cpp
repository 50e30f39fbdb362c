#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "commands/PrintCommand.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/ProgramInfo.h"

namespace tarnwick {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class PrintCommandTest : public MainWindowFixture {
 protected:
  std::vector<UrlRequest> ClickPrint(std::string webSiteBase, bool accepted = true) {
    UrlRecorder opener(accepted);
    WirePrintCommand(c(), opener, std::move(webSiteBase));
    c().cmdPrint.Click();
    c().cmdPrint.SetClickHandler({});  // the handler must not outlive this opener
    return opener.Requests();
  }
};

TEST_F(PrintCommandTest, ClickOpensThePrintUrlOnTheWebSite) {
  Start();
  EXPECT_THAT(ClickPrint(WebSiteBase()),
              ElementsAre(UrlRequest{WebSiteBase() + "print.php?120+50+FL100+0+0+15+0+FL100+0+0+"
                                                     "13500++13500+13739+13739+13500+13500++239+"
                                                     "+0++239+104+110+114+114+n/a+95+Kgs.",
                                     true}));
}

TEST_F(PrintCommandTest, ClickSendsWhatTheWindowShowsWithoutRecalculating) {
  Start();
  c().txtGTOW.SetText("99999");
  const std::vector<UrlRequest> requests = ClickPrint(WebSiteBase());
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_THAT(requests[0].url, HasSubstr("+13739+99999+"));
}

TEST_F(PrintCommandTest, WebSiteWithoutSchemeGetsItThroughOpenUrl) {
  Start();
  const std::vector<UrlRequest> requests = ClickPrint("host.example/Tarnwick/");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(requests[0].url.starts_with("http://host.example/Tarnwick/print.php?120+"));
}

TEST_F(PrintCommandTest, RefusedRequestShowsNothing) {
  Start();
  EXPECT_EQ(ClickPrint(WebSiteBase(), false).size(), 1u);
  EXPECT_TRUE(messages.Shown().empty());
}

}  // namespace
}  // namespace tarnwick
