// tarnwick: the planner's window. Wiring only: the window model with the Qt pieces under it,
// shown through its Qt window until the pilot closes it.
#include <QApplication>
#include <iostream>
#include <memory>
#include <string>

#include "print/PrintCommand.h"
#include "print/platform/QtUrlOpener.h"
#include "simlink/IpcClient.h"
#include "simlink/SimulatorCommands.h"
#include "simlink/SystemIpcPort.h"
#include "ui/MainWindow.h"
#include "ui/ProgramInfo.h"
#include "ui/ProgramState.h"
#include "ui/WindowSettings.h"
#include "ui/platform/QtSettingsStore.h"
#include "ui/platform/SystemNumberFormat.h"
#include "ui/qt/PlannerStyle.h"
#include "ui/qt/PlannerWindow.h"
#include "ui/qt/QtMessageBoxPresenter.h"

namespace {

constexpr int kExitStoreNotWritten = 1;

// One run of the planner: loads the window (which restores the last inputs), runs until the
// window is unloaded (which saves them) and writes the store out.
int RunPlanner() {
  tarnwick::ProgramState state;
  const auto store =
      tarnwick::QtSettingsStore::ForUser(std::string(tarnwick::kSettingsApplication));
  tarnwick::QtMessageBoxPresenter messages;
  const std::unique_ptr<tarnwick::IpcPort> port = tarnwick::MakeSystemIpcPort();
  tarnwick::IpcClient link(*port);
  tarnwick::MainWindow window(
      state, {messages, *store, tarnwick::SystemNumberFormat(), [&link] { link.LinkClose(); }});
  tarnwick::MainWindowControls& controls = window.Controls();
  tarnwick::SimulatorCommands simulatorCommands(window, state, link, messages);
  simulatorCommands.WireButtons();
  tarnwick::QtUrlOpener browser;
  tarnwick::WirePrintCommand(controls, browser, tarnwick::WebSiteBase());

  tarnwick::PlannerWindow shown(controls);
  messages.SetParentWindow(&shown);
  controls.frmMain.Show();
  const int exitCode = QApplication::exec();
  if (!store->Sync()) {
    std::cerr << "tarnwick: could not write the settings\n";
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
