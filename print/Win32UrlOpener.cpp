#include "print/Win32UrlOpener.h"

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

namespace tarnwick {

// ShellExecuteA answers with a value above 32 when the shell took the request.
bool Win32UrlOpener::Open(const std::string& url) {
  const HINSTANCE answer =
      ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(answer) > 32;
}

}  // namespace tarnwick
