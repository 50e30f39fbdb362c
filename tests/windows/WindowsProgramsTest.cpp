// The Windows programs together, each a Windows process as a user starts it: tarnwick.exe
// worked from another process (tarnwick-window-remote.exe) against the substitute simulator and
// in a German locale, the stub ended by WM_CLOSE, and tarnwick-plan.exe --open handing the print
// page to the shell.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "HttpProbe.h"
#include "tests/apps/ProgramProcess.h"
#include "tests/apps/StubProcess.h"
#include "tests/apps/TemporaryDirectory.h"
#include "tests/shared/SimulatorFigures.h"

namespace tarnwick {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::StartsWith;

std::string WholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

template <typename Condition>
bool WaitUntil(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

class WindowsPrograms : public testing::Test {
 protected:
  // tarnwick.exe as the user starts it, from the defaults (no settings saved before), worked by
  // the remote with the actions; the lines the remote printed. tarnwick.exe must end with 0.
  std::vector<std::string> RemoteRun(const std::vector<std::string>& actions) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tarnwick");
    BackgroundProgram planner({TARNWICK_WINDOW_PROGRAM}, Path("window.out"), Path("window.err"));
    std::vector<std::string> words{TARNWICK_REMOTE_PROGRAM};
    words.insert(words.end(), actions.begin(), actions.end());
    EXPECT_EQ(RunProgramToFiles(words, Path("remote.out"), Path("remote.err")), 0)
        << WholeFile(Path("remote.err"));
    EXPECT_EQ(planner.Wait(), 0) << "tarnwick.exe ends with 0 on WM_CLOSE";
    return FileLines(Path("remote.out"));
  }
  std::filesystem::path Path(const std::string& name) const { return temporary.Path() / name; }

  TemporaryDirectory temporary;
};

TEST_F(WindowsPrograms, WindowWorkedByAnotherProcessReadsThePayloadAndBoardsTheFuel) {
  StubProcess stub(Path("stub.log"), {"--zfw-lbs", figures::kStubZeroFuelWeightLbs});
  ASSERT_TRUE(stub.WaitUntilServing()) << testing::PrintToString(stub.ErrorLines());
  const std::vector<std::string> seen =
      RemoteRun({"--click", "cmdReadPayload", "--text", "txtPayload", "--click", "cmdBoardFuel",
                 "--text", "txtLeftTank", "--close"});
  EXPECT_EQ(stub.Stop(), 0);
  const std::string payload = figures::kPayloadShownInKilograms;
  ASSERT_EQ(seen.size(), 5u) << testing::PrintToString(seen);
  EXPECT_THAT(seen,
              ElementsAre("message Success! | Payload weight read as " + payload + " kilograms.",
                          "text txtPayload " + payload,
                          "message Success! | The fuel was successfully boarded.",
                          StartsWith("text txtLeftTank "), "closed"));
  const std::optional<long> level = LevelWrittenToBothTanks(stub.LogLines());
  ASSERT_TRUE(level.has_value()) << testing::PrintToString(stub.LogLines());
  const double tankKg = std::stod(seen[3].substr(std::string("text txtLeftTank ").size()));
  EXPECT_NEAR(static_cast<double>(*level), figures::TankLevelOf(tankKg),
              figures::kTankLevelRounding);
}

// Wine takes the user's locale from the LC_ALL that a program is started with on Linux: CTest
// runs this case with LC_ALL=de_DE.UTF-8, whose digits are grouped with ".".
TEST_F(WindowsPrograms, InformationGroupsDigitsAsTheUsersLocale) {
  const std::vector<std::string> seen = RemoteRun({"--click", "cmdOperatingLimits", "--close"});
  ASSERT_FALSE(seen.empty());
  EXPECT_THAT(seen.front(), HasSubstr("Basic Operating Weight: 13.500 Kgs. / "));
}

// The console's Ctrl+C is the other way, which the stub's own tests take.
TEST_F(WindowsPrograms, StubEndsCleanlyOnWmClose) {
  StubProcess stub(Path("stub.log"), {});
  ASSERT_TRUE(stub.WaitUntilServing()) << testing::PrintToString(stub.ErrorLines());
  const HWND window = FindWindowW(L"UIPCMAIN", nullptr);
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(stub.Wait(), 0) << testing::PrintToString(stub.ErrorLines());
  EXPECT_EQ(FindWindowW(L"UIPCMAIN", nullptr), nullptr);
}

// Wine hands a URL that the shell opens on to xdg-open, which runs $BROWSER: CTest runs this case
// with a script there that records the URL in the file $TARNWICK_OPENED_URL (a Linux path) and
// opens nothing. The planner serves the print site until the page of that URL and its style
// sheet have been fetched (by the test, as the browser would), and then ends by itself with 0;
// another program's fetches before do not end it.
TEST_F(WindowsPrograms, PrintOpenServesThePageTheShellWasHandedUntilItIsFetched) {
  const char* recordedOnLinux = std::getenv("TARNWICK_OPENED_URL");
  ASSERT_NE(recordedOnLinux, nullptr) << "run by CTest, which names the file";
  const std::filesystem::path recorded = std::string("Z:") + recordedOnLinux;
  std::filesystem::remove(recorded);
  const std::uint16_t port = FreeLoopbackPort();
  const std::string site = "http://127.0.0.1:" + std::to_string(port);
  BackgroundProgram planner({TARNWICK_PLAN_PROGRAM, "--json", "--open", "--web-host",
                             "127.0.0.1:" + std::to_string(port), "--click", "cmdPrint"},
                            Path("plan.json"), Path("plan.err"));
  ASSERT_TRUE(WaitUntil([&] { return !WholeFile(recorded).empty() || !planner.Running(); }))
      << "the shell was handed no URL";
  std::string url = WholeFile(recorded);
  url = url.substr(0, url.find('\n'));
  ASSERT_THAT(url, StartsWith(site + "/Tarnwick/print.php?120+")) << WholeFile(Path("plan.err"));
  for (const std::string other : {"/Tarnwick/print.php?1+2", "/Tarnwick/tarnwick.css"}) {
    EXPECT_EQ(Fetch(port, "GET", other).status, 200) << other;
  }
  EXPECT_TRUE(planner.Running()) << "another program's fetches do not end the serving";
  const HttpAnswer page = Fetch(port, "GET", url.substr(site.size()));
  EXPECT_EQ(page.body, WholeFile(TARNWICK_PRINT_PAGE));
  EXPECT_EQ(page.Header("content-type"), "text/html; charset=utf-8");
  EXPECT_EQ(Fetch(port, "GET", "/Tarnwick/tarnwick.css").status, 200);
  EXPECT_EQ(planner.Wait(std::chrono::seconds(30)), 0) << WholeFile(Path("plan.err"));
  const nlohmann::json report = nlohmann::json::parse(WholeFile(Path("plan.json")));
  EXPECT_THAT(report.at("opened").get<std::vector<std::string>>(), ElementsAre(url));
}

}  // namespace
}  // namespace tarnwick
