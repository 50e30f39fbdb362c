#include "apps/platform/Win32FrontEnd.h"

#include "ui/win32/MessageLoop.h"
#include "ui/win32/Win32PlannerWindow.h"

namespace tarnwick {

int Win32FrontEnd::ShowUntilClosed(MainWindowControls& controls) {
  Win32PlannerWindow shown(controls, instance_);
  messages_.SetOwner(shown.Handle());
  controls.frmMain.Show();
  const int exitCode = RunMessageLoop(shown);
  messages_.SetOwner(nullptr);  // the window has closed
  return exitCode;
}

void Win32FrontEnd::ShowUntilPainted(MainWindowControls& controls) {
  Win32PlannerWindow shown(controls, instance_);
  controls.frmMain.Show();
  RedrawWindow(shown.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace tarnwick
