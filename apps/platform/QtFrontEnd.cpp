#include "apps/platform/QtFrontEnd.h"

#include <QApplication>

#include "ui/qt/ExitWhenFirstPainted.h"
#include "ui/qt/PlannerWindow.h"

namespace tarnwick {

int QtFrontEnd::ShowUntilClosed(MainWindowControls& controls) {
  PlannerWindow shown(controls);
  messages_.SetParentWindow(&shown);
  controls.frmMain.Show();
  const int exitCode = QApplication::exec();
  messages_.SetParentWindow(nullptr);  // the window has closed
  return exitCode;
}

void QtFrontEnd::ShowUntilPainted(MainWindowControls& controls) {
  PlannerWindow shown(controls);
  new ExitWhenFirstPainted(shown);  // owned by the window
  controls.frmMain.Show();
  QApplication::exec();
}

}  // namespace tarnwick
