#pragma once

#include <memory>
#include <string>

#include "print/UrlOpener.h"
#include "simlink/IpcPort.h"
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

// The system's way of opening a URL for --open, with whatever it needs kept running: Qt's
// desktop services (and the Qt GUI application they need) in builds with Qt, the Windows shell
// in the Windows build. A build with neither refuses every URL.
class PlanUrlOpening {
 public:
  virtual ~PlanUrlOpening() = default;
  virtual UrlOpener& Opener() = 0;
};

std::unique_ptr<PlanUrlOpening> StartPlanUrlOpening();

// Everything a run of the planner takes from outside its window model, in one place, so that a
// run can be made in process on stand-ins: the program hands over the pieces above and the
// system's IPC port; tests and the fuzzer hand over memory-only ones.
class PlanSystem {
 public:
  virtual ~PlanSystem() = default;
  virtual NumberFormat Format() = 0;
  // The store behind --store; nullptr when this system has none.
  virtual std::unique_ptr<PlanStoreFile> OpenStoreFile(const std::string& path) = 0;
  // Called only with --open.
  virtual std::unique_ptr<PlanUrlOpening> StartUrlOpening() = 0;
  virtual std::unique_ptr<IpcPort> MakeIpcPort() = 0;
};

}  // namespace tarnwick
