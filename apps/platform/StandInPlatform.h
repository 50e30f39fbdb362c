#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "apps/platform/PlatformServices.h"
#include "simstub/FakeIpcPort.h"
#include "simstub/FakeXPlanePort.h"

namespace tarnwick {

// A platform for runs of the planner in process, for tests and the fuzzer, that touches nothing
// outside the process: settings files are kept in a map, message boxes, the wait cursor and
// URLs are only recorded, the print site is served nowhere, and the simulator link reaches a
// substitute simulator through the fake port (X-Plane through the fake network) without
// waiting. It lives across runs, so a second run finds the settings files the first one saved,
// and records what each run asked.
class StandInPlatform final : public PlatformServices {
 public:
  // --- What the system offers; change before the run concerned.
  NumberFormat format{.groupSeparator = ",", .decimalSeparator = "."};
  // False: a build without settings files, which refuses --store.
  bool hasStoreFiles = true;
  // A settings file can be saved in these folders only (the part of its path before the last
  // "/"; "" for a bare name), and never under a path that ends in "/".
  std::set<std::string> folders{"", ".", "/tmp"};
  // The settings files there are, each its sixteen keys.
  std::map<std::string, std::map<InMemorySettingsStore::Address, std::string>> files;
  // The file of the user's own settings.
  std::string userSettingsPath = "user.ini";
  bool urlsAccepted = true;
  // Ports of the loopback address that another program listens on.
  std::set<std::uint16_t> takenPorts;
  // Whether a browser comes to fetch the print page while the site is served.
  bool browserFetches = true;
  FakeIpcPort ipc;
  FakeXPlanePort xplane;
  XPlaneLinkSettings xplaneSettings;

  // --- What the runs asked of it.
  MessageRecorder messages;
  WaitCursorRecorder waitCursor;
  std::vector<std::string> storesOpened;
  int saves = 0;
  int openingsStarted = 0;
  std::vector<std::string> urlsOffered;
  std::vector<std::string> sitesMade;  // the web hosts
  int sitesStarted = 0;
  int sitesRefused = 0;  // starts that found the port taken
  int sitesStopped = 0;
  int ipcPortsMade = 0;

  NumberFormat Format() override { return format; }
  std::unique_ptr<SavedSettingsStore> OpenUserSettings() override;
  std::unique_ptr<SavedSettingsStore> OpenSettingsFile(const std::string& path) override;
  MessageBoxPresenter& Messages() override { return messages; }
  WaitCursor& Wait() override { return waitCursor; }
  std::unique_ptr<UrlOpening> StartUrlOpening() override;
  std::unique_ptr<PrintSite> SiteFor(std::string_view webHost) override;
  std::unique_ptr<IpcPort> MakeIpcPort() override;
  std::unique_ptr<XPlanePort> MakeXPlanePort() override;
  XPlaneLinkSettings XPlaneSettings() override { return xplaneSettings; }

  // Whether a settings file may be saved at path.
  bool Writable(const std::string& path) const;
};

}  // namespace tarnwick
