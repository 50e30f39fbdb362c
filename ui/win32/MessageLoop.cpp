#include "ui/win32/MessageLoop.h"

#include <windows.h>

#include "ui/win32/Win32PlannerWindow.h"

namespace tarnwick {

int RunMessageLoop(Win32PlannerWindow& window) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.HandleDialogMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tarnwick
