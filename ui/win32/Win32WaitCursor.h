#pragma once

#include <windows.h>

#include "ui/WaitCursor.h"

namespace tarnwick {

// The hourglass, and the cursor shown before it once the command has run.
class Win32WaitCursor final : public WaitCursor {
 public:
  void Show() override { previous_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }
  void End() override { SetCursor(previous_); }

 private:
  HCURSOR previous_ = nullptr;
};

}  // namespace tarnwick
