#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "print/SiteHost.h"
#include "print/UrlOpener.h"
#include "simlink/IpcPort.h"
#include "simlink/XPlaneLinkSettings.h"
#include "simlink/XPlanePort.h"
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

// The system's way of opening a URL for --open, with whatever it needs kept running: Qt's
// desktop services (and the Qt GUI application they need) in builds with Qt, the Windows shell
// in the Windows build. A build with neither refuses every URL.
class PlanUrlOpening {
 public:
  virtual ~PlanUrlOpening() = default;
  virtual UrlOpener& Opener() = 0;
};

// The print site as --open serves it: nothing runs before the first print asks for it.
class PlanSite : public SiteHost {
 public:
  // Why the last start failed; nullopt while none has.
  virtual std::optional<SiteNotServed> LastFailure() const = 0;
  // True once the site is served here (never for a site served elsewhere).
  virtual bool Serving() const = 0;
  // While serving: waits until a browser has fetched the print page and its style sheet, or
  // the time is up; true when it has.
  virtual bool WaitUntilPageFetched(std::chrono::milliseconds timeout) = 0;
};

// Everything a run of the planner takes from outside its window model, so that a run can be
// made in process on stand-ins: the program hands over the system it was built for, the tests
// and the fuzzer hand over pieces that stay in memory.
class PlanSystem {
 public:
  virtual ~PlanSystem() = default;
  virtual NumberFormat Format() = 0;
  // The store kept in the INI file at path; nullptr when this system has no store files.
  // Whatever the system has to say about the file on opening and saving goes to complaints,
  // one line each.
  virtual std::unique_ptr<PlanStoreFile> OpenStoreFile(const std::string& path,
                                                       std::ostream& complaints) = 0;
  // Asked for only with --open.
  virtual std::unique_ptr<PlanUrlOpening> StartUrlOpening() = 0;
  // The print site for the web host, asked for only with --open.
  virtual std::unique_ptr<PlanSite> SiteFor(std::string_view webHost) = 0;
  virtual std::unique_ptr<IpcPort> MakeIpcPort() = 0;
  virtual std::unique_ptr<XPlanePort> MakeXPlanePort() = 0;
  virtual XPlaneLinkSettings XPlaneSettings() = 0;
};

}  // namespace tarnwick
