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

// What the window of a run is wired to besides its store. Everything must outlive the window.
struct PlanWindowLinks {
  IpcPort& ipcPort;
  XPlanePort& xplanePort;
  XPlaneLinkSettings xplaneSettings;
  SiteHost& site;
  UrlOpener& opener;
  std::string webSiteBase;
};

// The main window of one run of the planner, wired as the window program wires it (the
// simulator buttons to the links, Print to the site and the opener) and loaded from the store
// on construction. Its message boxes are recorded.
class PlanWindow {
 public:
  PlanWindow(SettingsStore& store, const NumberFormat& numberFormat, PlanWindowLinks links);

  MainWindowControls& Controls() { return window_.Controls(); }
  const MessageRecorder& Messages() const { return messages_; }
  const XPlaneClient& XPlane() const { return xplane_; }

 private:
  ProgramState state_;
  MessageRecorder messages_;
  IpcClient link_;
  XPlaneClient xplane_;
  MainWindow window_;
  SimulatorCommands simulatorCommands_;
};

}  // namespace tarnwick
