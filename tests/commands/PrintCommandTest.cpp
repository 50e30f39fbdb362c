#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "commands/PrintCommand.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/ProgramInfo.h"

namespace tarnwick {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A site that answers, or not, as the test says, and counts how often it was asked.
class FakeSiteHost final : public SiteHost {
 public:
  std::optional<SiteNotServed> EnsureServing() override {
    ++requests;
    return failure;
  }
  std::optional<SiteNotServed> failure;
  int requests = 0;
};

class PrintCommandTest : public MainWindowFixture {
 protected:
  std::vector<UrlRequest> ClickPrint(std::string webSiteBase, bool accepted = true) {
    UrlRecorder opener(accepted);
    WirePrintCommand(c(), {site, opener, messages}, std::move(webSiteBase));
    c().cmdPrint.Click();
    c().cmdPrint.SetClickHandler({});  // the handler must not outlive this opener
    return opener.Requests();
  }

  FakeSiteHost site;
};

TEST_F(PrintCommandTest, ClickOpensThePrintUrlOnTheWebSite) {
  Start();
  EXPECT_THAT(ClickPrint(WebSiteBase()),
              ElementsAre(UrlRequest{WebSiteBase() + "print.php?120+50+FL100+0+0+15+0+FL100+0+0+"
                                                     "13500++13500+13739+13739+13500+13500++239+"
                                                     "+0++239+104+110+114+114+n/a+95+Kgs.",
                                     true}));
  EXPECT_EQ(site.requests, 1);
  EXPECT_TRUE(messages.Shown().empty());
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

// The pilot must be able to print all the same: the box gives the URL to copy.
TEST_F(PrintCommandTest, RefusedRequestShowsTheUrlInAWarning) {
  Start();
  const std::vector<UrlRequest> requests = ClickPrint(WebSiteBase(), false);
  ASSERT_EQ(requests.size(), 1u);
  ASSERT_EQ(messages.Shown().size(), 1u);
  const MessageBoxContent& shown = messages.Shown()[0];
  EXPECT_EQ(shown.style, MessageBoxStyle::kExclamation);
  EXPECT_EQ(shown.title, "Print");
  EXPECT_TRUE(shown.text.ends_with("\r\n" + requests[0].url)) << shown.text;
}

// Another program on the site's port must not get the plan: no browser, and a warning that
// names the address and what to do.
TEST_F(PrintCommandTest, SiteAddressTakenOpensNothingAndSaysWhatToDo) {
  Start();
  site.failure = SiteNotServed{"127.0.0.1:8642", true, "Address already in use"};
  EXPECT_TRUE(ClickPrint(WebSiteBase()).empty());
  ASSERT_EQ(messages.Shown().size(), 1u);
  const MessageBoxContent& shown = messages.Shown()[0];
  EXPECT_EQ(shown.style, MessageBoxStyle::kExclamation);
  EXPECT_THAT(shown.text, HasSubstr("another program already uses 127.0.0.1:8642"));
  EXPECT_THAT(shown.text, HasSubstr("\r\nClose that program"));
}

TEST_F(PrintCommandTest, SiteNotServedForAnotherReasonGivesTheSystemsReason) {
  Start();
  site.failure = SiteNotServed{"127.0.0.1:80", false, "Permission denied"};
  EXPECT_TRUE(ClickPrint(WebSiteBase()).empty());
  ASSERT_EQ(messages.Shown().size(), 1u);
  EXPECT_THAT(messages.Shown()[0].text, HasSubstr("at 127.0.0.1:80 (Permission denied)"));
}

}  // namespace
}  // namespace tarnwick
