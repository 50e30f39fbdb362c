// tarnwick: the planner's window in Qt on Linux, shown until the pilot closes it. Wiring only:
// the run is RunPlannerWindow on the Qt platform.
//
// For timing the start-up: with TARNWICK_EXIT_WHEN_SHOWN=1 in the environment the program
// ends as soon as its window has been painted for the first time, without unloading the window
// (so no input is saved). tools/measure-startup.sh times whole runs of it this way.
#include <QApplication>
#include <iostream>

#include "apps/platform/PlannerWindowRun.h"
#include "apps/platform/QtFrontEnd.h"
#include "apps/platform/QtPlatform.h"
#include "ui/qt/PlannerStyle.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  tarnwick::ApplyPlannerStyle(application);
  tarnwick::QtPlatform platform;
  tarnwick::QtFrontEnd frontEnd(platform.MessageBoxes());
  return tarnwick::RunPlannerWindow(platform, frontEnd, std::cerr);
}
