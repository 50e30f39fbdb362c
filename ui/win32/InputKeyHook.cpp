#include "ui/win32/InputKeyHook.h"

#include <cstdint>

#include "ui/Controls.h"

namespace tarnwick {
namespace {

// What the hooked edit box needs on every message: its model and the edit class's procedure.
// Kept in the box's GWLP_USERDATA rather than in a window property (as SetWindowSubclass does),
// since reading a property costs a round trip to the window server on some systems, on every
// message the box gets.
struct InputKeyHook {
  TextBox* box;
  WNDPROC editProcedure;
};

LRESULT CALLBACK InputEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* hook = reinterpret_cast<InputKeyHook*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
  const WNDPROC editProcedure = hook->editProcedure;
  if (message == WM_CHAR) {
    // Character codes above 0x7FFF come out negative, as 16-bit key codes do.
    const auto typed = static_cast<std::int16_t>(static_cast<std::uint16_t>(wParam));
    const std::int16_t accepted = hook->box->RaiseKeyPress(typed);
    if (accepted == 0) return 0;
    wParam = static_cast<std::uint16_t>(accepted);
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProcedure));
    SetWindowLongPtrW(edit, GWLP_USERDATA, 0);
    delete hook;
  }
  return CallWindowProcW(editProcedure, edit, message, wParam, lParam);
}

}  // namespace

void HookInputKeys(HWND edit, TextBox& box) {
  auto* hook = new InputKeyHook{&box, nullptr};
  SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hook));
  hook->editProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&InputEditProcedure)));
}

}  // namespace tarnwick
