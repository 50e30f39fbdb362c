#include "ui/win32/Win32IniSettingsStore.h"

#include <windows.h>

#include "ui/win32/WideText.h"

namespace tarnwick {
namespace {

std::wstring FullPath(const std::wstring& path) {
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring full(length, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
  return full;
}

}  // namespace

Win32IniSettingsStore::Win32IniSettingsStore(const std::string& path)
    : path_(FullPath(Widen(path))) {}

std::string Win32IniSettingsStore::Read(std::string_view /*application*/, std::string_view section,
                                        std::string_view key, std::string_view defaultValue) {
  // Room for the longest value, its terminating zero and one character more, to tell a value
  // that is too long; the absent key is told by a default no value can have.
  constexpr wchar_t kAbsent[] = L"\n";
  std::wstring value(kLongestValue + 2, L'\0');
  const DWORD length =
      GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), kAbsent, value.data(),
                               static_cast<DWORD>(value.size()), path_.c_str());
  value.resize(length);
  if (value == kAbsent || length > kLongestValue) return std::string(defaultValue);
  return Narrow(value);
}

void Win32IniSettingsStore::Write(std::string_view /*application*/, std::string_view section,
                                  std::string_view key, std::string_view value) {
  if (!WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str(),
                                  path_.c_str())) {
    allWritten_ = false;
  }
}

}  // namespace tarnwick
