#pragma once

class QApplication;

namespace tarnwick {

// Gives the whole program one look wherever it runs: Qt's Fusion style, which keeps to the
// palette colours the window sets, and the planner's icon on every window. It also names the
// installed desktop entry, by which the desktop finds the program's name and icon for its
// windows (on Wayland the only way).
void ApplyPlannerStyle(QApplication& application);

}  // namespace tarnwick
