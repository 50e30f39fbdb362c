// tarnwick: the planner's window. Wiring only: the window model with the Qt pieces under it,
// shown through its Qt window until the pilot closes it.
//
// For timing the start-up: with TARNWICK_EXIT_WHEN_SHOWN=1 in the environment the program
// ends as soon as its window has been painted for the first time, without unloading the window
// (so no input is saved). tools/measure-startup.sh times whole runs of it this way.
#include <QApplication>
#include <QWidget>
#include <QtGlobal>
#include <iostream>
#include <memory>
#include <string>

#include "commands/PrintCommand.h"
#include "commands/SimulatorCommands.h"
#include "print/LocalSiteHost.h"
#include "print/QtUrlOpener.h"
#include "simlink/IpcClient.h"
#include "simlink/SystemIpcPort.h"
#include "simlink/SystemXPlanePort.h"
#include "simlink/XPlaneClient.h"
#include "ui/IniFileSettingsStore.h"
#include "ui/MainWindow.h"
#include "ui/ProgramInfo.h"
#include "ui/ProgramState.h"
#include "ui/SettingsSaving.h"
#include "ui/WindowSettings.h"
#include "ui/qt/ExitWhenFirstPainted.h"
#include "ui/qt/PlannerStyle.h"
#include "ui/qt/PlannerWindow.h"
#include "ui/qt/QtMessageBoxPresenter.h"
#include "ui/qtsystem/QtUserNumberFormat.h"

namespace {

constexpr int kExitStoreNotWritten = 1;

// One run of the planner: loads the window (which restores the last inputs), runs until the
// window is unloaded (which saves them) and writes the store out.
int RunPlanner() {
  tarnwick::ProgramState state;
  const std::string application(tarnwick::kSettingsApplication);
  tarnwick::IniFileSettingsStore store(application, tarnwick::UserSettingsPath(application));
  if (const auto& notice = store.SetAsideNotice()) std::cerr << "tarnwick: " << *notice << '\n';
  tarnwick::QtMessageBoxPresenter messages;
  const std::unique_ptr<tarnwick::IpcPort> port = tarnwick::MakeSystemIpcPort();
  tarnwick::IpcClient link(*port);
  const std::unique_ptr<tarnwick::XPlanePort> xplanePort = tarnwick::MakeSystemXPlanePort();
  tarnwick::XPlaneClient xplane(*xplanePort, tarnwick::XPlaneLinkSettingsFromEnvironment());
  tarnwick::MainWindow window(
      state, {messages, store, tarnwick::UserNumberFormat(), [&link] { link.LinkClose(); }});
  tarnwick::MainWindowControls& controls = window.Controls();
  tarnwick::SimulatorCommands simulatorCommands(window, state, link, messages, &xplane);
  simulatorCommands.WireButtons();
  tarnwick::QtUrlOpener browser;
  // The print site is served from the first Print on, and no longer once the window is gone.
  tarnwick::LocalSiteHost site(tarnwick::kBuildWebHost);
  tarnwick::WirePrintCommand(controls, {site, browser, messages}, tarnwick::WebSiteBase());

  tarnwick::PlannerWindow shown(controls);
  messages.SetParentWindow(&shown);
  if (tarnwick::ExitWhenFirstPainted::Asked())
    new tarnwick::ExitWhenFirstPainted(shown);  // owned by the window
  controls.frmMain.Show();
  const int exitCode = QApplication::exec();
  site.Stop();
  messages.SetParentWindow(nullptr);  // the window has closed
  if (!tarnwick::SaveOrShowFailure(store, messages)) {
    std::cerr << "tarnwick: " << tarnwick::SettingsNotWrittenText(store) << '\n';
    return kExitStoreNotWritten;
  }
  return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  tarnwick::ApplyPlannerStyle(application);
  return RunPlanner();
}
