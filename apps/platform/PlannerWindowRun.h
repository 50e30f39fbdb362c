#pragma once

#include <ostream>

#include "apps/platform/FrontEnd.h"
#include "apps/platform/PlatformServices.h"

namespace tarnwick {

// The window program's exit status when the settings could not be written.
inline constexpr int kExitStoreNotWritten = 1;

// One run of the planner's window, alike for every front-end: loads the window (which restores
// the last inputs) from the user's settings, runs until the window is unloaded (which saves
// them), stops serving the print site, and writes the settings out. Every button shows the wait
// cursor while its click runs. What the settings had to set aside on opening, and settings that
// could not be written, go to complaints; the latter are also told in a warning box and end the
// run with kExitStoreNotWritten, else the run loop's exit code is the result.
//
// For timing the start-up: with TARNWICK_EXIT_WHEN_SHOWN=1 in the environment the run ends with
// 0 as soon as the window has been painted whole, without unloading it (so nothing is saved).
int RunPlannerWindow(PlatformServices& platform, FrontEnd& frontEnd, std::ostream& complaints);

}  // namespace tarnwick
