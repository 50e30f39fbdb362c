// tarnwick.exe: the planner's window on Windows, shown until the pilot closes it. Wiring only:
// the run is RunPlannerWindow on the Windows platform.
//
// For timing the start-up: with TARNWICK_EXIT_WHEN_SHOWN=1 in the environment the program ends
// as soon as its window and every control on it have been painted for the first time, without
// unloading the window (so no input is saved). tools/measure-windows.sh times runs of it.
#include <windows.h>
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include <iostream>

#include "apps/platform/PlannerWindowRun.h"
#include "apps/platform/Win32FrontEnd.h"
#include "apps/platform/Win32Platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  tarnwick::Win32Platform platform;
  tarnwick::Win32FrontEnd frontEnd(instance, platform.MessageBoxes());
  return tarnwick::RunPlannerWindow(platform, frontEnd, std::cerr);
}
