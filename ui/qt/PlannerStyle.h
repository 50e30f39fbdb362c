#pragma once

class QApplication;

namespace tarnwick {

// Gives the whole program one look wherever it runs: Qt's Fusion style, which keeps to the
// palette colours the window sets, and the planner's icon on every window.
void ApplyPlannerStyle(QApplication& application);

}  // namespace tarnwick
