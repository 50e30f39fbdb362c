// tarnwick.exe: the planner's window on Windows. Wiring only: the window model with the native
// Win32 window under it, shown until the pilot closes it.
//
// For timing the start-up: with TARNWICK_EXIT_WHEN_SHOWN=1 in the environment the program ends
// as soon as its window and every control on it have been painted for the first time, without
// unloading the window (so no input is saved). tools/measure-windows.sh times runs of it.
#include <windows.h>
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include <memory>

#include "commands/PrintCommand.h"
#include "commands/SimulatorCommands.h"
#include "print/LocalSiteHost.h"
#include "print/Win32UrlOpener.h"
#include "simlink/IpcClient.h"
#include "simlink/SystemIpcPort.h"
#include "simlink/SystemXPlanePort.h"
#include "simlink/XPlaneClient.h"
#include "ui/MainWindow.h"
#include "ui/ProgramInfo.h"
#include "ui/ProgramState.h"
#include "ui/SettingsSaving.h"
#include "ui/win32/MessageLoop.h"
#include "ui/win32/WaitCursor.h"
#include "ui/win32/Win32MessageBoxPresenter.h"
#include "ui/win32/Win32PlannerWindow.h"
#include "ui/win32/Win32SettingsStore.h"
#include "ui/win32/Win32UserNumberFormat.h"

namespace {

constexpr int kExitStoreNotWritten = 1;

bool ExitWhenShownAsked() {
  wchar_t value[4] = {};
  return GetEnvironmentVariableW(L"TARNWICK_EXIT_WHEN_SHOWN", value, 4) == 1 && value[0] == L'1';
}

// The two simulator commands block the window while the link waits for the simulator: the
// pilot sees the hourglass meanwhile.
void WireSimulatorButtons(tarnwick::MainWindowControls& controls,
                          tarnwick::SimulatorCommands& commands) {
  controls.cmdReadPayload.SetClickHandler([&commands] {
    const tarnwick::WaitCursor waiting;
    commands.ReadPayload();
  });
  controls.cmdBoardFuel.SetClickHandler([&commands] {
    const tarnwick::WaitCursor waiting;
    commands.BoardFuel();
  });
}

int RunPlanner(HINSTANCE instance) {
  tarnwick::ProgramState state;
  tarnwick::Win32SettingsStore store;
  tarnwick::Win32MessageBoxPresenter messages;
  const std::unique_ptr<tarnwick::IpcPort> port = tarnwick::MakeSystemIpcPort();
  tarnwick::IpcClient link(*port);
  const std::unique_ptr<tarnwick::XPlanePort> xplanePort = tarnwick::MakeSystemXPlanePort();
  tarnwick::XPlaneClient xplane(*xplanePort, tarnwick::XPlaneLinkSettingsFromEnvironment());
  tarnwick::MainWindow window(
      state, {messages, store, tarnwick::UserNumberFormat(), [&link] { link.LinkClose(); }});
  tarnwick::MainWindowControls& controls = window.Controls();
  tarnwick::SimulatorCommands simulatorCommands(window, state, link, messages, &xplane);
  WireSimulatorButtons(controls, simulatorCommands);
  tarnwick::Win32UrlOpener browser;
  // The print site is served from the first Print on, and no longer once the window is gone.
  tarnwick::LocalSiteHost site(tarnwick::kBuildWebHost);
  tarnwick::WirePrintCommand(controls, {site, browser, messages}, tarnwick::WebSiteBase());

  tarnwick::Win32PlannerWindow shown(controls, instance);
  messages.SetOwner(shown.Handle());
  controls.frmMain.Show();
  if (ExitWhenShownAsked()) {
    RedrawWindow(shown.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return 0;
  }
  const int exitCode = tarnwick::RunMessageLoop(shown);
  site.Stop();
  messages.SetOwner(nullptr);  // the window has closed
  if (!tarnwick::SaveOrShowFailure(store, messages)) return kExitStoreNotWritten;
  return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  return RunPlanner(instance);
}
