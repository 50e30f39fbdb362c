#include "apps/platform/PlannerWindowRun.h"

#include <cstdlib>
#include <memory>
#include <string_view>

#include "apps/platform/WiredMainWindow.h"
#include "ui/ProgramInfo.h"
#include "ui/SettingsSaving.h"

namespace tarnwick {
namespace {

bool ExitWhenShownAsked() {
  const char* value = std::getenv("TARNWICK_EXIT_WHEN_SHOWN");
  return value != nullptr && std::string_view(value) == "1";
}

}  // namespace

int RunPlannerWindow(PlatformServices& platform, FrontEnd& frontEnd, std::ostream& complaints) {
  const std::unique_ptr<SavedSettingsStore> store = platform.OpenUserSettings();
  if (const auto notice = store->SetAsideNotice()) complaints << "tarnwick: " << *notice << '\n';
  MessageBoxPresenter& messages = platform.Messages();
  const std::unique_ptr<IpcPort> ipcPort = platform.MakeIpcPort();
  const std::unique_ptr<XPlanePort> xplanePort = platform.MakeXPlanePort();
  const std::unique_ptr<UrlOpening> urlOpening = platform.StartUrlOpening();
  // The print site is served from the first Print on, and no longer once the window is gone.
  const std::unique_ptr<PrintSite> site = platform.SiteFor(kBuildWebHost);
  WiredMainWindow window(*store, messages, platform.Format(),
                         {*ipcPort, *xplanePort, platform.XPlaneSettings(), *site,
                          urlOpening->Opener(), WebSiteBase()});
  window.Controls().ShowWaitCursorOnClicks(platform.Wait());

  if (ExitWhenShownAsked()) {
    frontEnd.ShowUntilPainted(window.Controls());
    return 0;
  }
  const int exitCode = frontEnd.ShowUntilClosed(window.Controls());
  site->Stop();
  if (SaveOrShowFailure(*store, messages)) return exitCode;
  complaints << "tarnwick: " << SettingsNotWrittenText(*store) << '\n';
  return kExitStoreNotWritten;
}

}  // namespace tarnwick
