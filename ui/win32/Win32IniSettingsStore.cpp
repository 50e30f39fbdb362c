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

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? L"." : path.substr(0, separator);
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

std::string Win32IniSettingsStore::Location() const { return Narrow(path_); }

std::string Win32IniSettingsStore::WriteFailureReason() const {
  const std::wstring folder = FolderOf(path_);
  const DWORD folderAttributes = GetFileAttributesW(folder.c_str());
  if (folderAttributes == INVALID_FILE_ATTRIBUTES) {
    return "the folder " + Narrow(folder) + " does not exist";
  }
  if ((folderAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    return Narrow(folder) + " is not a folder";
  const DWORD fileAttributes = GetFileAttributesW(path_.c_str());
  if (fileAttributes != INVALID_FILE_ATTRIBUTES) {
    if ((fileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      return "a folder of that name is in the way";
    if ((fileAttributes & FILE_ATTRIBUTE_READONLY) != 0) return "the file is read-only";
  }
  return "the file could not be written (the disk may be full)";
}

}  // namespace tarnwick
