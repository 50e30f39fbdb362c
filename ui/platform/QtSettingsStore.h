#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "ui/MessageBoxPresenter.h"
#include "ui/SettingsStore.h"

class QSettings;

namespace tarnwick {

// The settings store on QSettings: one QSettings object is one application's store, and a
// section is a group in it (an "[Settings]" section of an INI file).
//
// A settings file that cannot be read (QSettings finds a format error in it) is moved aside as
// "<file>.corrupt-<date and time>" when the store opens: what could be read of it is kept, the
// rest reads as absent (so its defaults apply), and the next Sync writes a clean file.
// A file with a value this program never writes and QSettings would decode from binary (one
// starting with "@Variant(" or "@DateTime(", however quoted, escaped or carried over lines)
// goes aside the same way, and the copy that replaces it keeps every other line. SetAsideNotice
// says what happened.
class QtSettingsStore final : public SettingsStore {
 public:
  // The store of application kept in an INI file at iniPath.
  QtSettingsStore(std::string application, const std::string& iniPath);
  ~QtSettingsStore() override;

  // The user's own store of application, organisation and application both named after it,
  // where QSettings keeps such settings on Linux:
  // $XDG_CONFIG_HOME/<application>/<application>.conf (~/.config by default).
  static std::unique_ptr<QtSettingsStore> ForUser(const std::string& application);

  std::string Read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view defaultValue) override;
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;

  // Writes pending changes to the file; false when that failed.
  bool Sync();

  // Where the store is kept: the file's path, or the registry key on Windows.
  std::string Location() const;
  // Why the last Sync failed, as far as the file system tells: "the folder ... does not exist",
  // "the file is read-only" and the like.
  std::string WriteFailureReason() const;
  // A sentence for a settings file that could not be read when the store opened: where it was
  // moved, or that it could not be moved. Nothing when the file was fine.
  const std::optional<std::string>& SetAsideNotice() const { return setAsideNotice_; }

 private:
  std::unique_ptr<QSettings> Open() const;
  void SetAsideSerialisedValues();
  void SetAsideIfUnreadable();
  void CheckApplication(std::string_view application) const;

  std::string application_;
  QString path_;
  std::unique_ptr<QSettings> settings_;
  std::optional<std::string> setAsideNotice_;
};

// The message box text for settings that could not be written: the place and the reason.
std::string SettingsNotWrittenText(const QtSettingsStore& store);

// Writes the store out; when that fails, says so with a warning box (style 48) of the program
// that names the place and the reason, and returns false.
bool SyncOrShowFailure(QtSettingsStore& store, MessageBoxPresenter& messages);

}  // namespace tarnwick
