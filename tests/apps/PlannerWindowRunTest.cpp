// The window programs' run, shared by the Qt and the Win32 window, on a platform of stand-ins
// and a front-end that plays the pilot: what is saved, stopped, shown and told, and the exit code.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <utility>

#include "apps/platform/PlannerWindowRun.h"
#include "apps/platform/StandInPlatform.h"

namespace tarnwick {
namespace {

// Shows the window, lets the pilot act on it, closes it by its close box and ends the run loop
// with the code given.
class PilotFrontEnd final : public FrontEnd {
 public:
  PilotFrontEnd(std::function<void(MainWindowControls&)> pilot, int exitCode)
      : pilot_(std::move(pilot)), exitCode_(exitCode) {}

  int ShowUntilClosed(MainWindowControls& controls) override {
    controls.frmMain.Show();
    pilot_(controls);
    controls.frmMain.Unload();
    return exitCode_;
  }
  void ShowUntilPainted(MainWindowControls& controls) override { controls.frmMain.Show(); }

 private:
  std::function<void(MainWindowControls&)> pilot_;
  int exitCode_;
};

void TypePayload(MainWindowControls& controls) { controls.txtPayload.SetText("1234"); }

TEST(RunPlannerWindow, SavesTheInputsOnceTheWindowIsClosedAndEndsWithTheLoopsCode) {
  StandInPlatform platform;
  int buttonShowingsWhileOpen = -1;
  PilotFrontEnd frontEnd(
      [&](MainWindowControls& controls) {
        TypePayload(controls);
        controls.cmdAbout.Click();
        buttonShowingsWhileOpen = platform.waitCursor.Showings();
        EXPECT_EQ(platform.saves, 0);
      },
      3);
  std::ostringstream complaints;
  EXPECT_EQ(RunPlannerWindow(platform, frontEnd, complaints), 3);
  EXPECT_EQ(buttonShowingsWhileOpen, 1);
  EXPECT_FALSE(platform.waitCursor.Shown());
  EXPECT_EQ(platform.sitesStopped, 1);
  EXPECT_EQ(platform.saves, 1);
  EXPECT_EQ(complaints.str(), "");

  std::string payloadRestored;
  PilotFrontEnd nextStart(
      [&](MainWindowControls& controls) { payloadRestored = controls.txtPayload.Text(); }, 0);
  EXPECT_EQ(RunPlannerWindow(platform, nextStart, complaints), 0);
  EXPECT_EQ(payloadRestored, "1234");
}

TEST(RunPlannerWindow, SettingsNotWrittenAreToldInABoxAndOnTheErrorStreamWithStatusOne) {
  StandInPlatform platform;
  platform.userSettingsPath = "missing/user.ini";
  PilotFrontEnd frontEnd(TypePayload, 0);
  std::ostringstream complaints;
  EXPECT_EQ(RunPlannerWindow(platform, frontEnd, complaints), kExitStoreNotWritten);
  const std::string text =
      "The settings could not be written to missing/user.ini: the folder cannot be written to.";
  ASSERT_FALSE(platform.messages.Shown().empty());
  EXPECT_EQ(platform.messages.Shown().back(),
            (MessageBoxContent{text, "Tarnwick", MessageBoxStyle::kExclamation}));
  EXPECT_EQ(complaints.str(), "tarnwick: " + text + "\n");
}

}  // namespace
}  // namespace tarnwick
