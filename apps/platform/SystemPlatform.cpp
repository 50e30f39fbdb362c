#include "apps/platform/SystemPlatform.h"

#include "print/LocalSiteHost.h"
#include "simlink/SystemIpcPort.h"
#include "simlink/SystemXPlanePort.h"
#include "ui/IniFileSettingsStore.h"
#include "ui/WindowSettings.h"

namespace tarnwick {
namespace {

class LocalPrintSite final : public PrintSite {
 public:
  explicit LocalPrintSite(std::string_view webHost) : host_(webHost) {}

  std::optional<SiteNotServed> EnsureServing() override { return host_.EnsureServing(); }
  std::string HandOver(std::string url) override { return host_.HandOver(std::move(url)); }
  std::optional<SiteNotServed> LastFailure() const override { return host_.LastFailure(); }
  bool Serving() const override { return host_.Port() != 0; }
  bool WaitUntilPageFetched(std::chrono::milliseconds timeout) override {
    return host_.WaitUntilPageFetched(timeout);
  }
  void Stop() override { host_.Stop(); }

 private:
  LocalSiteHost host_;
};

}  // namespace

std::unique_ptr<SavedSettingsStore> OpenIniSettingsFile(const std::string& path) {
  return std::make_unique<IniFileSettingsStore>(std::string(kSettingsApplication), path);
}

std::unique_ptr<PrintSite> SystemPlatform::SiteFor(std::string_view webHost) {
  return std::make_unique<LocalPrintSite>(webHost);
}

std::unique_ptr<IpcPort> SystemPlatform::MakeIpcPort() { return MakeSystemIpcPort(); }

std::unique_ptr<XPlanePort> SystemPlatform::MakeXPlanePort() { return MakeSystemXPlanePort(); }

XPlaneLinkSettings SystemPlatform::XPlaneSettings() { return XPlaneLinkSettingsFromEnvironment(); }

}  // namespace tarnwick
