#include "tests/windows/Win32WindowDriver.h"

#include <oleacc.h>

#include <chrono>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "ui/WindowLayout.h"
#include "ui/win32/WideText.h"

namespace tarnwick {
namespace {

// MessageBoxW's text is the static control of this id in the box.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr auto kMessageBoxDeadline = std::chrono::seconds(10);

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// One text of the control's client object as Windows gives it to assistive tools.
std::string MsaaText(HWND control, HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, BSTR*)) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&accessible)))) {
    throw std::runtime_error("no accessible object for a control");
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  std::string read_text;
  if ((accessible->*read)(self, &text) == S_OK && text != nullptr) {
    read_text = Narrow(std::wstring_view(text, SysStringLen(text)));
  }
  SysFreeString(text);
  accessible->Release();
  return read_text;
}

struct FoundBox {
  DWORD thread;
  HWND box = nullptr;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring_view(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  reinterpret_cast<FoundBox*>(found)->box = window;
  return FALSE;
}

// The box's style, told by its icon: MessageBoxW shows the system's shared icon of the style in
// its icon control (stc1), and hides that control when the style has no icon.
MessageBoxStyle StyleShown(HWND box) {
  constexpr int kIconControlId = 0x0440;
  const HWND iconControl = GetDlgItem(box, kIconControlId);
  if (iconControl == nullptr || !IsWindowVisible(iconControl)) return MessageBoxStyle::kNoIcon;
  const auto icon = reinterpret_cast<HICON>(SendMessageW(iconControl, STM_GETICON, 0, 0));
  if (icon == LoadIconW(nullptr, IDI_HAND)) return MessageBoxStyle::kError;
  if (icon == LoadIconW(nullptr, IDI_EXCLAMATION)) return MessageBoxStyle::kExclamation;
  if (icon == LoadIconW(nullptr, IDI_ASTERISK)) return MessageBoxStyle::kInformation;
  return MessageBoxStyle::kNoIcon;
}

MessageBoxContent ReadAndClose(HWND box) {
  MessageBoxContent content{Narrow(WindowText(GetDlgItem(box, kMessageBoxTextId))),
                            Narrow(WindowText(box)), StyleShown(box)};
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  return content;
}

}  // namespace

HWND Win32WindowDriver::Control(std::string_view name) const {
  const HWND control = window_.ControlHandle(name);
  if (control == nullptr) throw std::invalid_argument("no control " + std::string(name));
  return control;
}

void Win32WindowDriver::Route(MSG message) {
  if (!window_.HandleDialogMessage(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  Pump();
}

void Win32WindowDriver::Pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    if (window_.HandleDialogMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32WindowDriver::Focus(std::string_view name) {
  SetFocus(Control(name));
  Pump();
}

void Win32WindowDriver::TypeKeys(std::string_view name, std::string_view text) {
  Focus(name);
  PressKey(VK_END);
  for (const wchar_t character : Widen(text)) {
    Route({GetFocus(), WM_CHAR, character, 1, 0, {}});
  }
}

void Win32WindowDriver::PressKey(UINT virtualKey, bool shift) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  Route({GetFocus(), WM_KEYDOWN, virtualKey, 1, 0, {}});
  Route({GetFocus(), WM_KEYUP, virtualKey, 0xC0000001, 0, {}});
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

void Win32WindowDriver::PressAltKey(char letter) {
  // Bit 29 of lParam: Alt is down.
  constexpr LPARAM kAltDown = 1 << 29;
  const HWND focus = GetFocus() != nullptr ? GetFocus() : window_.Handle();
  Route({focus, WM_SYSCHAR, static_cast<WPARAM>(letter), kAltDown | 1, 0, {}});
}

void Win32WindowDriver::PickIndex(std::string_view name, int index) {
  Focus(name);
  PressKey(VK_HOME);
  for (int step = 0; step < index; ++step) PressKey(VK_DOWN);
}

void Win32WindowDriver::Paste(std::string_view name, std::string_view text) {
  const std::wstring wide = Widen(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(window_.Handle())) throw std::runtime_error("cannot open the clipboard");
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  Focus(name);
  SendMessageW(Control(name), EM_SETSEL, 0, -1);
  // What the context menu's Paste and Shift+Insert send to the edit box.
  SendMessageW(Control(name), WM_PASTE, 0, 0);
  Pump();
}

void Win32WindowDriver::Click(std::string_view name) {
  SendMessageW(Control(name), BM_CLICK, 0, 0);
  Pump();
}

std::string Win32WindowDriver::ShownText(std::string_view name) const {
  return Narrow(WindowText(Control(name)));
}

COLORREF Win32WindowDriver::TextColour(std::string_view name) const {
  const HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(window_.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(Control(name)));
  const COLORREF colour = GetTextColor(dc);
  DeleteDC(dc);
  return colour;
}

COLORREF Win32WindowDriver::BackgroundColour(std::string_view name) const {
  const HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(window_.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(Control(name)));
  const COLORREF colour = GetBkColor(dc);
  DeleteDC(dc);
  return colour;
}

std::string Win32WindowDriver::FocusedName() const {
  const HWND focus = GetFocus();
  for (const ControlLayout& layout : MainWindowLayout()) {
    if (window_.ControlHandle(layout.name) == focus && focus != nullptr) {
      return std::string(layout.name);
    }
  }
  return {};
}

std::string MsaaName(HWND control) { return MsaaText(control, &IAccessible::get_accName); }

std::string MsaaDescription(HWND control) {
  return MsaaText(control, &IAccessible::get_accDescription);
}

MessageBoxContent ClickAndCloseMessageBox(Win32WindowDriver& driver, std::string_view button) {
  const DWORD thread = GetCurrentThreadId();
  MessageBoxContent shown{"", "", MessageBoxStyle::kNoIcon};
  std::thread watcher([&] {
    const auto deadline = std::chrono::steady_clock::now() + kMessageBoxDeadline;
    while (std::chrono::steady_clock::now() < deadline) {
      FoundBox box{thread};
      EnumThreadWindows(thread, FindMessageBox, reinterpret_cast<LPARAM>(&box));
      if (box.box != nullptr) {
        shown = ReadAndClose(box.box);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  driver.Click(button);
  watcher.join();
  return shown;
}

}  // namespace tarnwick
