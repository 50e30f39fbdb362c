#include "ui/win32/InputKeyHook.h"

#include <commctrl.h>

#include <cstdint>

#include "ui/Controls.h"

namespace tarnwick {
namespace {

constexpr UINT_PTR kInputKeyHookId = 1;

LRESULT CALLBACK InputEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR /*id*/, DWORD_PTR boxAddress) {
  if (message == WM_CHAR) {
    auto& box = *reinterpret_cast<TextBox*>(boxAddress);
    // Character codes above 0x7FFF come out negative, as 16-bit key codes do.
    const auto typed = static_cast<std::int16_t>(static_cast<std::uint16_t>(wParam));
    const std::int16_t accepted = box.RaiseKeyPress(typed);
    if (accepted == 0) return 0;
    wParam = static_cast<std::uint16_t>(accepted);
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(edit, InputEditProcedure, kInputKeyHookId);
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void HookInputKeys(HWND edit, TextBox& box) {
  SetWindowSubclass(edit, InputEditProcedure, kInputKeyHookId, reinterpret_cast<DWORD_PTR>(&box));
}

}  // namespace tarnwick
