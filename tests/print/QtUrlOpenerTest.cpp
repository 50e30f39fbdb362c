#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <vector>

#include "print/QtUrlOpener.h"

namespace tarnwick {
namespace {

// Takes the place of the browser for "http" URLs: QDesktopServices hands it every URL it would
// have opened.
class HttpUrlCatcher : public QObject {
  Q_OBJECT

 public:
  HttpUrlCatcher() { QDesktopServices::setUrlHandler("http", this, "Catch"); }
  ~HttpUrlCatcher() override { QDesktopServices::unsetUrlHandler("http"); }
  HttpUrlCatcher(const HttpUrlCatcher&) = delete;
  HttpUrlCatcher& operator=(const HttpUrlCatcher&) = delete;

  std::vector<QUrl> caught;

 public slots:
  void Catch(const QUrl& url) { caught.push_back(url); }
};

// What reaches the browser, byte for byte, for a URL handed to the opener.
QByteArray Delivered(const std::string& url) {
  HttpUrlCatcher catcher;
  QtUrlOpener opener;
  EXPECT_TRUE(opener.Open(url));
  EXPECT_EQ(catcher.caught.size(), 1u);
  return catcher.caught.empty() ? QByteArray() : catcher.caught.front().toEncoded();
}

TEST(QtUrlOpenerTest, PrintUrlReachesTheBrowserUnchanged) {
  const std::string url =
      "http://127.0.0.1:8642/Tarnwick/print.php?120+50+FL100+0+0+-15+0+FL100+1+0+13500++13500+"
      "13739+13739+13500+13500++239++0++239+104+110+114+114+n/a+95+Kgs.";
  EXPECT_EQ(Delivered(url).toStdString(), url);
}

// "???" stands for a weight the window cannot show; only its first "?" starts the query.
TEST(QtUrlOpenerTest, QuestionMarksInTheQueryStayAsTheyAre) {
  const std::string url = "http://host.example/Tarnwick/print.php????+50+???";
  EXPECT_EQ(Delivered(url).toStdString(), url);
}

}  // namespace
}  // namespace tarnwick

#include "QtUrlOpenerTest.moc"
