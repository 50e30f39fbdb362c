#include "apps/tarnwick-plan/PlanWindow.h"

namespace tarnwick {

PlanWindow::PlanWindow(SettingsStore& store, const NumberFormat& numberFormat,
                       MainWindowLinks links)
    : window_(store, messages_, numberFormat, std::move(links)) {
  window_.Controls().frmMain.Show();
}

}  // namespace tarnwick
