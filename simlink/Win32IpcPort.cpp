#include "simlink/Win32IpcPort.h"

#include <windows.h>

namespace tarnwick {
namespace {

HWND ToWindow(WindowHandle window) { return reinterpret_cast<HWND>(window); }
HANDLE ToHandle(MappingHandle mapping) { return reinterpret_cast<HANDLE>(mapping); }

}  // namespace

WindowHandle Win32IpcPort::FindTopLevelWindow(const std::string& className) {
  return reinterpret_cast<WindowHandle>(
      FindWindowExA(nullptr, nullptr, className.c_str(), nullptr));
}

std::uint32_t Win32IpcPort::RegisterMessage(const std::string& name) {
  return RegisterWindowMessageA(name.c_str());
}

std::uint32_t Win32IpcPort::CurrentProcessId() { return GetCurrentProcessId(); }

std::uint16_t Win32IpcPort::AddGlobalAtom(const std::string& name) {
  return GlobalAddAtomA(name.c_str());
}

void Win32IpcPort::DeleteGlobalAtom(std::uint16_t atom) { GlobalDeleteAtom(atom); }

MappingCreation Win32IpcPort::CreateNamedMapping(const std::string& name, std::uint32_t size) {
  const HANDLE mapping =
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name.c_str());
  // Read at once: GetLastError tells an object that existed before only until the next call.
  const bool alreadyExisted = mapping != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  return {reinterpret_cast<MappingHandle>(mapping), alreadyExisted};
}

std::byte* Win32IpcPort::MapView(MappingHandle mapping) {
  return static_cast<std::byte*>(MapViewOfFile(ToHandle(mapping), FILE_MAP_WRITE, 0, 0, 0));
}

void Win32IpcPort::UnmapView(std::byte* view) { UnmapViewOfFile(view); }

void Win32IpcPort::CloseMapping(MappingHandle mapping) { CloseHandle(ToHandle(mapping)); }

bool Win32IpcPort::SendWithTimeout(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                                   std::int32_t lParam, std::uint32_t timeoutMs,
                                   std::uintptr_t& messageResult) {
  DWORD_PTR result = 0;
  // wParam and lParam go out sign-extended, as a 32-bit program's LONG values would.
  const LRESULT sent =
      SendMessageTimeoutA(ToWindow(window), message, static_cast<WPARAM>(wParam),
                          static_cast<LPARAM>(lParam), SMTO_BLOCK, timeoutMs, &result);
  if (sent == 0) return false;
  messageResult = result;
  return true;
}

std::uint32_t Win32IpcPort::LastError() { return GetLastError(); }

void Win32IpcPort::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace tarnwick
