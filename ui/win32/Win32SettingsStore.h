#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/SettingsStore.h"

namespace tarnwick {

// The settings in the user's registry: key HKEY_CURRENT_USER\Software\<application>\<section>,
// one string value (REG_SZ) per key. A value that is absent, of another type, longer than
// kLongestValue characters or unreadable reads as the default. Each value is written at once;
// Save tells whether every one was.
class Win32SettingsStore final : public SavedSettingsStore {
 public:
  static constexpr DWORD kLongestValue = 1024;

  // A store under another root key than HKEY_CURRENT_USER\Software: for tests.
  explicit Win32SettingsStore(HKEY root = HKEY_CURRENT_USER, std::wstring base = L"Software");

  std::string Read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view defaultValue) override;
  // A value the registry refuses is kept by Save's failure: the key it was for and why.
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;
  // False when a write since the last Save was refused.
  bool Save() override;
  // The key of the refused write (of the first since the last Save), else the store's root.
  std::string Location() const override;
  std::string WriteFailureReason() const override;

 private:
  std::wstring KeyPath(std::string_view application, std::string_view section) const;
  void Refused(std::string_view application, std::string_view section, LSTATUS status);

  HKEY root_;
  std::wstring base_;
  std::optional<LSTATUS> refusal_;
  std::wstring refusedKey_;
  std::optional<LSTATUS> lastRefusal_;
  std::wstring lastRefusedKey_;
};

}  // namespace tarnwick
