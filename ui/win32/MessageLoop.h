#pragma once

namespace tarnwick {

class Win32PlannerWindow;

// Runs the thread's messages until WM_QUIT, the dialog keys (Tab, Shift+Tab, Alt+letter) going
// to the window first. Returns WM_QUIT's exit code.
int RunMessageLoop(Win32PlannerWindow& window);

}  // namespace tarnwick
