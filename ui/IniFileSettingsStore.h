#pragma once

#include <memory>
#include <optional>
#include <string>

#include "ui/IniText.h"
#include "ui/SettingsFiles.h"
#include "ui/SettingsStore.h"

namespace tarnwick {

// The settings store of one application in an INI file, a section of the store being a
// "[section]" of the file, read and written as QSettings read and wrote it (IniText.h), so
// that the files of earlier versions, and those of Windows' profile calls, read as before.
//
// The file is read whole when the store opens and written whole by Save, through a new file
// renamed over it (SettingsFiles::Write): it is never seen empty or half written, and a failed
// Save leaves it as it was. Nothing is decoded from binary.
//
// A file with lines that cannot be used (IniReading) is copied as it is to
// "<file>.corrupt-<yyyy-MM-dd-HHmmss>" when the store opens; what could be read is kept, the
// rest reads as absent (so its defaults apply), and Save writes a clean file. When the copy
// cannot be made, or the file cannot be read at all, Save leaves the file alone and fails.
// SetAsideNotice says what happened.
class IniFileSettingsStore final : public SavedSettingsStore {
 public:
  // The store of application kept in the file at path, on the system's files.
  IniFileSettingsStore(std::string application, const std::string& path);
  IniFileSettingsStore(std::string application, const std::string& path,
                       std::unique_ptr<SettingsFiles> files);

  std::string Read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view defaultValue) override;
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;
  // Writes the file when a value changed since it was read or last saved.
  bool Save() override;
  std::string Location() const override { return path_; }
  std::string WriteFailureReason() const override { return failure_; }

  // A sentence for a settings file with lines that could not be used, or that could not be
  // read: where it was copied, or that it could not be. Nothing when the file was fine.
  std::optional<std::string> SetAsideNotice() const override { return setAsideNotice_; }

 private:
  void Load();
  void SetAside(const std::string& contents, const IniReading& reading);
  void CheckApplication(std::string_view application) const;

  std::string application_;
  std::string path_;
  std::unique_ptr<SettingsFiles> files_;
  IniSections sections_;
  bool changed_ = false;
  std::optional<std::string> mustNotWrite_;  // why the file may not be written over
  std::optional<std::string> setAsideNotice_;
  std::string failure_;
};

}  // namespace tarnwick
