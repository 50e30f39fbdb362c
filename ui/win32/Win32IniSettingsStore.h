#pragma once

#include <string>

#include "ui/SettingsStore.h"

namespace tarnwick {

// Settings in an INI file through the system's profile calls: one [section] per section, one
// key=value line per key, as the settings file of the Linux build holds them. Every write goes
// to the file at once. A value longer than kLongestValue characters reads as the default.
class Win32IniSettingsStore final : public SettingsStore {
 public:
  static constexpr unsigned kLongestValue = 1024;

  // A relative path is taken from the current folder (the profile calls alone would take it
  // from the Windows folder).
  explicit Win32IniSettingsStore(const std::string& path);

  std::string Read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view defaultValue) override;
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;

  // False once a write has failed.
  bool AllWritten() const { return allWritten_; }
  // The file's full path, in UTF-8.
  std::string Location() const;
  // Why a write failed, as far as the file system tells: the folder missing or not a folder, a
  // folder in the file's place, the file read-only; else a full disk is the likely cause.
  std::string WriteFailureReason() const;

 private:
  std::wstring path_;
  bool allWritten_ = true;
};

}  // namespace tarnwick
