#pragma once

#include <string>

#include "apps/platform/WiredMainWindow.h"
#include "ui/MessageBoxPresenter.h"

namespace tarnwick {

// The main window of one run of the planner, wired as the window programs wire it and loaded
// from the store on construction. Its message boxes are recorded.
class PlanWindow {
 public:
  PlanWindow(SettingsStore& store, const NumberFormat& numberFormat, MainWindowLinks links);

  MainWindowControls& Controls() { return window_.Controls(); }
  const MessageRecorder& Messages() const { return messages_; }
  const XPlaneClient& XPlane() const { return window_.XPlane(); }

 private:
  MessageRecorder messages_;
  WiredMainWindow window_;
};

}  // namespace tarnwick
