#pragma once

#include <string>

#include "commands/SimulatorCommands.h"
#include "print/SiteHost.h"
#include "print/UrlOpener.h"
#include "simlink/IpcClient.h"
#include "simlink/XPlaneClient.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxPresenter.h"
#include "ui/ProgramState.h"

namespace tarnwick {

// What the main window is wired to besides its store and message boxes. Everything must outlive
// the window.
struct MainWindowLinks {
  IpcPort& ipcPort;
  XPlanePort& xplanePort;
  XPlaneLinkSettings xplaneSettings;
  SiteHost& site;
  UrlOpener& opener;
  std::string webSiteBase;
};

// The planner's main window wired as every program wires it: the simulator buttons to the links
// (the IPC link closed when the window unloads), Print to the site and the opener. Not shown
// yet: frmMain.Show loads it.
class WiredMainWindow {
 public:
  WiredMainWindow(SettingsStore& store, MessageBoxPresenter& messages,
                  const NumberFormat& numberFormat, MainWindowLinks links);

  MainWindowControls& Controls() { return window_.Controls(); }
  const XPlaneClient& XPlane() const { return xplane_; }

 private:
  ProgramState state_;
  IpcClient link_;
  XPlaneClient xplane_;
  MainWindow window_;
  SimulatorCommands simulatorCommands_;
};

}  // namespace tarnwick
