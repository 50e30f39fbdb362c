#pragma once

#include <memory>
#include <string>

#include "ui/SettingsStore.h"

class QSettings;

namespace tarnwick {

// The settings store on QSettings: one QSettings object is one application's store, and a
// section is a group in it (an "[Settings]" section of an INI file).
class QtSettingsStore final : public SettingsStore {
 public:
  // The store of application kept in an INI file at iniPath.
  QtSettingsStore(std::string application, const std::string& iniPath);
  ~QtSettingsStore() override;

  // The user's own store of application, organisation and application both named after it,
  // where the platform keeps such settings (~/.config/<application>/<application>.conf on
  // Linux, the registry on Windows).
  static std::unique_ptr<QtSettingsStore> ForUser(const std::string& application);

  std::string Read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view defaultValue) override;
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;

  // Writes pending changes to the file; false when that failed.
  bool Sync();

 private:
  QtSettingsStore(std::string application, std::unique_ptr<QSettings> settings);
  void CheckApplication(std::string_view application) const;

  std::string application_;
  std::unique_ptr<QSettings> settings_;
};

}  // namespace tarnwick
