#include "ui/win32/Win32MessageBoxPresenter.h"

#include "ui/win32/WideText.h"

namespace tarnwick {

void Win32MessageBoxPresenter::Show(std::string_view text, std::string_view title,
                                    MessageBoxStyle style) {
  // A command that blocked may have left the hourglass up; the box is answered with the arrow.
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  const HWND owner = IsWindow(owner_) ? owner_ : nullptr;
  MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), MB_OK | static_cast<UINT>(style));
}

}  // namespace tarnwick
