#include "simstub/Win32StubServer.h"

#include <windows.h>

#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

#include "simlink/RequestArea.h"

namespace tarnwick {
namespace {

constexpr std::uintptr_t kBatchCarriedOut = 1;
constexpr std::uintptr_t kNotHandled = 0;
constexpr const char* kWindowTitle = "Tarnwick substitute simulator";
// Atom names are at most 255 characters.
constexpr std::size_t kAtomNameBufferSize = 256;

// Set by the console's Ctrl+C, Ctrl+Break and close; manual reset, so it stays set.
HANDLE stopRequested = nullptr;

[[noreturn]] void Refuse(const std::string& reason) { throw std::runtime_error(reason); }

BOOL WINAPI RequestStop(DWORD consoleEvent) {
  if (consoleEvent != CTRL_C_EVENT && consoleEvent != CTRL_BREAK_EVENT &&
      consoleEvent != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  SetEvent(stopRequested);
  return TRUE;
}

HWND ToWindow(std::uintptr_t window) { return reinterpret_cast<HWND>(window); }

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* server = reinterpret_cast<Win32StubServer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (server != nullptr && message == server->IpcMessage()) {
    return static_cast<LRESULT>(server->AnswerBatch(static_cast<std::uint16_t>(wParam)));
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The client's request area behind a mapping name, open for the length of one batch.
class OpenedRequestArea {
 public:
  explicit OpenedRequestArea(const char* mappingName)
      : mapping_(OpenFileMappingA(FILE_MAP_WRITE, FALSE, mappingName)),
        view_(mapping_ == nullptr
                  ? nullptr
                  : MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, kRequestAreaSize)) {}
  ~OpenedRequestArea() {
    if (view_ != nullptr) UnmapViewOfFile(view_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
  }
  OpenedRequestArea(const OpenedRequestArea&) = delete;
  OpenedRequestArea& operator=(const OpenedRequestArea&) = delete;

  // Empty when the mapping could not be opened, or is smaller than a request area.
  std::span<std::byte> Bytes() const {
    if (view_ == nullptr) return {};
    return {static_cast<std::byte*>(view_), kRequestAreaSize};
  }

 private:
  HANDLE mapping_;
  void* view_;
};

void RegisterWindowClass(const std::string& className) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className.c_str();
  if (RegisterClassExA(&windowClass) == 0) {
    Refuse("cannot register the window class " + className + " (error " +
           std::to_string(GetLastError()) + ")");
  }
}

// The stop event and the console handler that sets it, made once per process.
void ListenToConsole() {
  if (stopRequested == nullptr) stopRequested = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (stopRequested == nullptr) Refuse("cannot make an event");
  SetConsoleCtrlHandler(RequestStop, TRUE);
}

// Handles every message waiting; false once WM_QUIT has come.
bool DispatchWaitingMessages() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

}  // namespace

Win32StubServer::Win32StubServer(StubServerOptions options, SimulatorSetup setup,
                                 WriteObserver onWrite)
    : options_(std::move(options)), onWrite_(std::move(onWrite)) {
  const std::string& className = options_.windowClass;
  if (FindWindowExA(nullptr, nullptr, className.c_str(), nullptr) != nullptr) {
    Refuse("another server already has a window of class " + className);
  }
  ipcMessage_ = RegisterWindowMessageA(std::string(kIpcMessageName).c_str());
  if (ipcMessage_ == 0) Refuse("cannot register the message " + std::string(kIpcMessageName));
  LoadSimulatorSetup(memory_, setup);
  RegisterWindowClass(className);
  window_ = reinterpret_cast<std::uintptr_t>(CreateWindowExA(
      0, className.c_str(), kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleA(nullptr), this));
  if (window_ == 0) {
    // Wine fails here (error 0 or 1400) when its desktop has no graphics driver: without a
    // display it needs the null driver.
    const DWORD error = GetLastError();
    UnregisterClassA(className.c_str(), GetModuleHandleA(nullptr));
    Refuse("cannot make the window (error " + std::to_string(error) +
           "; under Wine without a display, set HKCU\\Software\\Wine\\Drivers Graphics=null)");
  }
  ListenToConsole();
}

Win32StubServer::~Win32StubServer() {
  if (IsWindow(ToWindow(window_))) DestroyWindow(ToWindow(window_));
  UnregisterClassA(options_.windowClass.c_str(), GetModuleHandleA(nullptr));
  SetConsoleCtrlHandler(RequestStop, FALSE);
}

void Win32StubServer::Serve() {
  if (options_.hang) {
    WaitForSingleObject(stopRequested, INFINITE);
    return;
  }
  ServeMessages();
}

void Win32StubServer::ServeMessages() {
  constexpr DWORD kMessageWaiting = WAIT_OBJECT_0 + 1;
  while (MsgWaitForMultipleObjectsEx(1, &stopRequested, INFINITE, QS_ALLINPUT,
                                     MWMO_INPUTAVAILABLE) == kMessageWaiting) {
    if (!DispatchWaitingMessages()) return;
  }
}

std::uintptr_t Win32StubServer::AnswerBatch(std::uint16_t atom) {
  std::array<char, kAtomNameBufferSize> mappingName{};
  if (GlobalGetAtomNameA(atom, mappingName.data(), static_cast<int>(mappingName.size())) == 0) {
    return kNotHandled;
  }
  const OpenedRequestArea area(mappingName.data());
  if (area.Bytes().empty()) return kNotHandled;
  return CarryOutRequests(area.Bytes(), memory_, onWrite_) ? kBatchCarriedOut : kNotHandled;
}

}  // namespace tarnwick
