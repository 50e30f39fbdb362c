#pragma once

#include <memory>
#include <string>

#include "ui/NumberFormat.h"
#include "ui/SettingsStore.h"

namespace tarnwick {

// The settings file behind --store: read at load and written back at the end.
class PlanStoreFile {
 public:
  virtual ~PlanStoreFile() = default;
  virtual SettingsStore& Store() = 0;
  // Writes the settings to the file; false when that failed.
  virtual bool Save() = 0;
};

// What the planner takes from the system it was built for. Builds with Qt use the user's number
// format and keep --store files through QSettings; builds without Qt (the Windows build) use
// "," to group digits and "." as the decimal point, and have no store file.
NumberFormat PlanNumberFormat();

// The store kept in the INI file at path; nullptr in a build without store files.
std::unique_ptr<PlanStoreFile> OpenPlanStoreFile(const std::string& path);

}  // namespace tarnwick
