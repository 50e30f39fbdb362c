#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick {

// A settings file as read: absent, read whole, or there but unreadable.
struct FileReading {
  enum class Outcome { kAbsent, kRead, kUnreadable };
  Outcome outcome = Outcome::kAbsent;
  std::string contents;
  std::string failure;  // why it could not be read
};

// A write of a whole settings file: done, refused because a file of that name exists (when
// asked not to replace one), or failed with the reason, as a sentence's end that names the
// path concerned ("the folder /x does not exist", "the disk is full").
struct FileWriting {
  enum class Outcome { kDone, kExists, kFailed };
  Outcome outcome = Outcome::kDone;
  std::string failure;
};

// The file system as the settings store uses it: whole files, each written so that it is never
// seen half written.
class SettingsFiles {
 public:
  virtual ~SettingsFiles() = default;
  virtual FileReading Read(const std::string& path) = 0;
  // Writes the contents to a new file in the same folder as path, flushes it to the disk and
  // then renames it to path, so that path holds either its old contents or all of the new.
  // When that fails, nothing at path has changed and the new file is gone. With replace false,
  // an existing file at path is left alone and the answer is kExists. A missing folder is made.
  // A read-only file at path is not replaced.
  virtual FileWriting Write(const std::string& path, std::string_view contents, bool replace) = 0;
};

// The system's files: POSIX calls, or the Windows API (paths in UTF-8).
std::unique_ptr<SettingsFiles> MakeSystemSettingsFiles();

// The path made absolute from the current folder, in UTF-8; as given when that fails.
std::string FullSettingsPath(const std::string& path);

// Where the user's settings of an application are kept on Linux, as QSettings kept them:
// $XDG_CONFIG_HOME/<application>/<application>.conf, with ~/.config when that is unset.
std::string UserSettingsPath(std::string_view application);

}  // namespace tarnwick
