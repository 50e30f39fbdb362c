// tarnwick-window-remote.exe: works a running tarnwick.exe from another process, as the pilot's
// clicks would, for the end-to-end checks of WindowsProgramsTest. Actions run in the order
// given, each printing one line:
//   --click NAME   clicks the button, then reads and closes (OK) the message box it opens:
//                  "message TITLE | TEXT" (CR LF in the text printed as " / ")
//   --text NAME    "text NAME SHOWN"
//   --close        WM_CLOSE to the window, then waits until the window is gone: "closed"
// Controls are found by their layout name, through the window's control ids.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

#include "ui/Utf16Text.h"
#include "ui/WindowLayout.h"
#include "ui/win32/Win32PlannerWindow.h"

namespace {

constexpr auto kDeadline = std::chrono::seconds(60);
constexpr auto kPoll = std::chrono::milliseconds(20);

// WM_GETTEXT, which Windows carries across processes.
std::string TextOf(HWND window) {
  wchar_t text[1024] = {};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return tarnwick::Narrow(text);
}

template <typename Found>
auto WaitFor(Found found) -> decltype(found()) {
  const auto deadline = std::chrono::steady_clock::now() + kDeadline;
  while (std::chrono::steady_clock::now() < deadline) {
    if (auto result = found()) return result;
    std::this_thread::sleep_for(kPoll);
  }
  return {};
}

HWND ControlOf(HWND window, std::string_view name) {
  const auto layout = tarnwick::MainWindowLayout();
  for (std::size_t row = 0; row < layout.size(); ++row) {
    if (layout[row].name == name) {
      return GetDlgItem(window,
                        tarnwick::Win32PlannerWindow::kFirstControlId + static_cast<int>(row));
    }
  }
  return nullptr;
}

struct BoxSearch {
  HWND owner;
  HWND box = nullptr;
};

BOOL CALLBACK FindOwnedBox(HWND candidate, LPARAM search) {
  auto& wanted = *reinterpret_cast<BoxSearch*>(search);
  wchar_t className[16] = {};
  GetClassNameW(candidate, className, 16);
  if (std::wstring_view(className) == L"#32770" && GetWindow(candidate, GW_OWNER) == wanted.owner &&
      IsWindowVisible(candidate)) {
    wanted.box = candidate;
    return FALSE;
  }
  return TRUE;
}

std::string OneLine(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n")) {
    text.replace(at, 2, " / ");
  }
  return text;
}

bool ClickAndCloseBox(HWND window, HWND button) {
  PostMessageW(button, BM_CLICK, 0, 0);
  const HWND box = WaitFor([window]() -> HWND {
    BoxSearch search{window};
    EnumWindows(FindOwnedBox, reinterpret_cast<LPARAM>(&search));
    return search.box;
  });
  if (box == nullptr) return false;
  std::printf("message %s | %s\n", TextOf(box).c_str(),
              OneLine(TextOf(GetDlgItem(box, 0xFFFF))).c_str());
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  return WaitFor([box] { return !IsWindow(box); });
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "tarnwick-window-remote: %s\n", why.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // The window is shown once its controls exist and the model has loaded.
  const HWND window = WaitFor([]() -> HWND {
    const HWND found = FindWindowW(L"TarnwickPlannerWindow", nullptr);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
  });
  if (window == nullptr) return Fail("no planner window shown within 60 s");
  for (int index = 1; index < argc; ++index) {
    const std::string_view action = argv[index];
    if (action == "--close") {
      PostMessageW(window, WM_CLOSE, 0, 0);
      if (!WaitFor([window] { return !IsWindow(window); })) return Fail("the window stayed");
      std::printf("closed\n");
      continue;
    }
    if (index + 1 >= argc) return Fail(std::string(action) + " needs a control name");
    const std::string name = argv[++index];
    const HWND control = ControlOf(window, name);
    if (control == nullptr) return Fail("no control " + name);
    if (action == "--click") {
      if (!ClickAndCloseBox(window, control)) return Fail("no message box after clicking " + name);
    } else if (action == "--text") {
      std::printf("text %s %s\n", name.c_str(), TextOf(control).c_str());
    } else {
      return Fail("unknown action " + std::string(action));
    }
    std::fflush(stdout);
  }
  return 0;
}
