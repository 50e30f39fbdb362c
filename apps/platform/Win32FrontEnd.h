#pragma once

#include <windows.h>

#include "apps/platform/FrontEnd.h"
#include "ui/win32/Win32MessageBoxPresenter.h"

namespace tarnwick {

// The planner's native Win32 window (Win32PlannerWindow) under the thread's message loop; the
// common controls must be initialised.
class Win32FrontEnd final : public FrontEnd {
 public:
  Win32FrontEnd(HINSTANCE instance, Win32MessageBoxPresenter& messages)
      : instance_(instance), messages_(messages) {}

  int ShowUntilClosed(MainWindowControls& controls) override;
  void ShowUntilPainted(MainWindowControls& controls) override;

 private:
  HINSTANCE instance_;
  Win32MessageBoxPresenter& messages_;
};

}  // namespace tarnwick
