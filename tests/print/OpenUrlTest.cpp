#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "print/OpenUrl.h"

namespace tarnwick {
namespace {

using ::testing::ElementsAre;

// The URL the opener was handed for one request.
std::string Opened(std::string_view url) {
  UrlRecorder opener;
  OpenURL(url, opener);
  EXPECT_EQ(opener.Requests().size(), 1u);
  return opener.Requests().empty() ? std::string() : opener.Requests().front().url;
}

TEST(OpenUrlTest, BareHostGetsTheHttpScheme) {
  EXPECT_EQ(Opened("host.example/Tarnwick/"), "http://host.example/Tarnwick/");
}

TEST(OpenUrlTest, EmptyTextOpensTheSchemeAlone) { EXPECT_EQ(Opened(""), "http://"); }

TEST(OpenUrlTest, HttpInAnyLetterCaseIsKept) {
  for (const char* url : {"http://a.example/", "HTTP://a.example/", "hTtPs://a.example/",
                          "https://a.example/print.php?1+2", "httpish"}) {
    EXPECT_EQ(Opened(url), url);
  }
}

TEST(OpenUrlTest, HttpOnlyLaterOrCutShortGetsTheScheme) {
  EXPECT_EQ(Opened("ftp://http.example/"), "http://ftp://http.example/");
  EXPECT_EQ(Opened(" http://a.example/"), "http:// http://a.example/");
  EXPECT_EQ(Opened("htt"), "http://htt");
}

TEST(OpenUrlTest, ResultIsTheSystemsAnswer) {
  UrlRecorder accepting(true);
  UrlRecorder refusing(false);
  EXPECT_TRUE(OpenURL("http://a.example/", accepting));
  EXPECT_FALSE(OpenURL("http://a.example/", refusing));
  EXPECT_THAT(refusing.Requests(), ElementsAre(UrlRequest{"http://a.example/", false}));
}

TEST(OpenUrlTest, RecorderPassingOnKeepsTheOtherOpenersAnswer) {
  UrlRecorder system(false);
  UrlRecorder recorder = UrlRecorder::PassingOnTo(system);
  EXPECT_FALSE(OpenURL("a.example", recorder));
  EXPECT_THAT(recorder.Requests(), ElementsAre(UrlRequest{"http://a.example", false}));
  EXPECT_THAT(system.Requests(), ElementsAre(UrlRequest{"http://a.example", false}));
}

}  // namespace
}  // namespace tarnwick
