#pragma once

#include <windows.h>

#include <string>

#include "ui/SettingsStore.h"

namespace tarnwick {

// The settings in the user's registry: key HKEY_CURRENT_USER\Software\<application>\<section>,
// one string value (REG_SZ) per key. A value that is absent, of another type, longer than
// kLongestValue characters or unreadable reads as the default.
class Win32SettingsStore final : public SettingsStore {
 public:
  static constexpr DWORD kLongestValue = 1024;

  // A store under another root key than HKEY_CURRENT_USER\Software: for tests.
  explicit Win32SettingsStore(HKEY root = HKEY_CURRENT_USER, std::wstring base = L"Software");

  std::string Read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view defaultValue) override;
  // A value that cannot be written is lost, as with any other store that cannot be written.
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;

 private:
  std::wstring KeyPath(std::string_view application, std::string_view section) const;

  HKEY root_;
  std::wstring base_;
};

}  // namespace tarnwick
