// The start-up baseline for tarnwick.exe: a bare Win32 window with the same native controls
// (one of the same class and style for every row of the window layout, at the same places),
// shown, painted with all its children and ended, with nothing behind the controls: no model,
// no plan, no fonts or colours of its own. tools/measure-windows.sh times it beside tarnwick.exe.
#include <windows.h>

#include "ui/WindowLayout.h"

namespace {

const wchar_t* ClassOf(tarnwick::ControlKind kind) {
  switch (kind) {
    case tarnwick::ControlKind::kTextBox:
      return L"EDIT";
    case tarnwick::ControlKind::kComboBox:
      return L"COMBOBOX";
    case tarnwick::ControlKind::kFrame:
    case tarnwick::ControlKind::kCheckBox:
    case tarnwick::ControlKind::kCommandButton:
      return L"BUTTON";
    default:
      return L"STATIC";
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = L"TarnwickBaseline";
  RegisterClassExW(&windowClass);
  const int dpi = static_cast<int>(GetDpiForSystem());
  RECT frame{0, 0, tarnwick::TwipsToPixels(tarnwick::kClientWidthTwips, dpi),
             tarnwick::TwipsToPixels(tarnwick::kClientHeightTwips, dpi)};
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  const HWND window = CreateWindowExW(
      0, L"TarnwickBaseline", L"Baseline", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
      frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  for (const tarnwick::ControlLayout& layout : tarnwick::MainWindowLayout()) {
    const tarnwick::TwipsRect place = tarnwick::PlaceInClientArea(layout);
    CreateWindowExW(0, ClassOf(layout.kind), L"0", WS_CHILD | WS_VISIBLE,
                    tarnwick::TwipsToPixels(place.left, dpi),
                    tarnwick::TwipsToPixels(place.top, dpi),
                    tarnwick::TwipsToPixels(place.width, dpi),
                    tarnwick::TwipsToPixels(place.height, dpi), window, nullptr, instance, nullptr);
  }
  ShowWindow(window, SW_SHOWNORMAL);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  DestroyWindow(window);
  return 0;
}
