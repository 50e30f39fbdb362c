#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "print/SiteHost.h"
#include "print/UrlOpener.h"
#include "simlink/IpcPort.h"
#include "simlink/XPlaneLinkSettings.h"
#include "simlink/XPlanePort.h"
#include "ui/MessageBoxPresenter.h"
#include "ui/NumberFormat.h"
#include "ui/SettingsStore.h"
#include "ui/WaitCursor.h"

namespace tarnwick {

// The system's way of opening a URL, with whatever it needs kept running meanwhile (Qt's
// desktop services need a Qt GUI application).
class UrlOpening {
 public:
  virtual ~UrlOpening() = default;
  virtual UrlOpener& Opener() = 0;
};

// The opening of a URL opener that needs nothing else kept running.
template <typename SystemOpener>
class SelfContainedUrlOpening final : public UrlOpening {
 public:
  UrlOpener& Opener() override { return opener_; }

 private:
  SystemOpener opener_;
};

// The print site served on this machine: nothing runs before the first print asks for it.
class PrintSite : public SiteHost {
 public:
  // Why the last start failed; nullopt while none has.
  virtual std::optional<SiteNotServed> LastFailure() const = 0;
  // True once the site is served here (never for a site served elsewhere).
  virtual bool Serving() const = 0;
  // While serving: waits until a browser has fetched the print page and its style sheet, or
  // the time is up; true when it has.
  virtual bool WaitUntilPageFetched(std::chrono::milliseconds timeout) = 0;
  // No longer serves the site: for the end of the program.
  virtual void Stop() = 0;
};

// Everything a program takes from the system it runs on, handed over once by its main(): the Qt
// desktop on Linux, Windows, or a system without a window toolkit; tests and the fuzzer hand over
// stand-ins that stay in memory. Ports, sites and stores are made anew for each use; the message
// boxes and the wait cursor are the platform's own and live as long as it.
class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  // The user's number format.
  virtual NumberFormat Format() = 0;
  // The user's settings where this system keeps them. A store that had to set something aside
  // on opening says so in its SetAsideNotice.
  virtual std::unique_ptr<SavedSettingsStore> OpenUserSettings() = 0;
  // The settings kept in the INI file at path; nullptr on a system that keeps no settings files.
  virtual std::unique_ptr<SavedSettingsStore> OpenSettingsFile(const std::string& path) = 0;
  virtual MessageBoxPresenter& Messages() = 0;
  virtual WaitCursor& Wait() = 0;
  // Asked for only when URLs are to be opened.
  virtual std::unique_ptr<UrlOpening> StartUrlOpening() = 0;
  // The print site for the web host (host:port); served here only on a loopback address.
  virtual std::unique_ptr<PrintSite> SiteFor(std::string_view webHost) = 0;
  virtual std::unique_ptr<IpcPort> MakeIpcPort() = 0;
  virtual std::unique_ptr<XPlanePort> MakeXPlanePort() = 0;
  virtual XPlaneLinkSettings XPlaneSettings() = 0;
};

}  // namespace tarnwick
