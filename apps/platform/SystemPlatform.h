#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "apps/platform/PlatformServices.h"

namespace tarnwick {

// What every system gives alike: the print site served on the web host's loopback address, the
// system's IPC port and sockets, and X-Plane's address from TARNWICK_XPLANE_ADDRESS. The rest
// differs by system (QtPlatform, Win32Platform, PlainPlatform).
class SystemPlatform : public PlatformServices {
 public:
  std::unique_ptr<PrintSite> SiteFor(std::string_view webHost) override;
  std::unique_ptr<IpcPort> MakeIpcPort() override;
  std::unique_ptr<XPlanePort> MakeXPlanePort() override;
  XPlaneLinkSettings XPlaneSettings() override;
};

// The planner's settings in the INI file at path.
std::unique_ptr<SavedSettingsStore> OpenIniSettingsFile(const std::string& path);

}  // namespace tarnwick
