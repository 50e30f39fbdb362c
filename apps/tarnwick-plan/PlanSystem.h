#pragma once

#include <memory>
#include <string>
#include <vector>

#include "print/UrlOpener.h"
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
// format and keep --store files through QSettings; builds without Qt use "," to group digits and
// "." as the decimal point; the Windows build keeps --store files through the system's profile
// calls, other builds without Qt have no store file.
NumberFormat PlanNumberFormat();

// The program's arguments in UTF-8, its name first. Windows hands main() its arguments in the
// ANSI code page, which cannot hold every character, so the Windows build reads them from the
// wide command line instead.
std::vector<std::string> PlanArguments(int argc, char** argv);

// The store kept in the INI file at path; nullptr in a build without store files.
std::unique_ptr<PlanStoreFile> OpenPlanStoreFile(const std::string& path);

// The system's way of opening a URL for --open, with whatever it needs kept running: Qt's
// desktop services (and the Qt GUI application they need) in builds with Qt, the Windows shell
// in the Windows build. A build with neither refuses every URL.
class PlanUrlOpening {
 public:
  virtual ~PlanUrlOpening() = default;
  virtual UrlOpener& Opener() = 0;
};

std::unique_ptr<PlanUrlOpening> StartPlanUrlOpening();

}  // namespace tarnwick
