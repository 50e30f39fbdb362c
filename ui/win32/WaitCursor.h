#pragma once

#include <windows.h>

namespace tarnwick {

// Shows the hourglass while a command blocks the window's thread, and the cursor that was
// shown before once it has run.
class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace tarnwick
