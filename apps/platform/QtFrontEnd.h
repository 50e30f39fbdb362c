#pragma once

#include "apps/platform/FrontEnd.h"
#include "ui/qt/QtMessageBoxPresenter.h"

namespace tarnwick {

// The planner's window in Qt Widgets (PlannerWindow) under QApplication's event loop; a
// QApplication must exist.
class QtFrontEnd final : public FrontEnd {
 public:
  explicit QtFrontEnd(QtMessageBoxPresenter& messages) : messages_(messages) {}

  int ShowUntilClosed(MainWindowControls& controls) override;
  void ShowUntilPainted(MainWindowControls& controls) override;

 private:
  QtMessageBoxPresenter& messages_;
};

}  // namespace tarnwick
