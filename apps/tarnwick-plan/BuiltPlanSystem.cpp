#include "apps/tarnwick-plan/BuiltPlanSystem.h"

#include "print/LocalSiteHost.h"
#include "simlink/SystemIpcPort.h"
#include "simlink/SystemXPlanePort.h"

namespace tarnwick {
namespace {

class LocalPlanSite final : public PlanSite {
 public:
  explicit LocalPlanSite(std::string_view webHost) : host_(webHost) {}

  std::optional<SiteNotServed> EnsureServing() override { return host_.EnsureServing(); }
  std::string HandOver(std::string url) override { return host_.HandOver(std::move(url)); }
  std::optional<SiteNotServed> LastFailure() const override { return host_.LastFailure(); }
  bool Serving() const override { return host_.Port() != 0; }
  bool WaitUntilPageFetched(std::chrono::milliseconds timeout) override {
    return host_.WaitUntilPageFetched(timeout);
  }

 private:
  LocalSiteHost host_;
};

}  // namespace

std::unique_ptr<PlanSite> BuiltPlanSystem::SiteFor(std::string_view webHost) {
  return std::make_unique<LocalPlanSite>(webHost);
}

std::unique_ptr<IpcPort> BuiltPlanSystem::MakeIpcPort() { return MakeSystemIpcPort(); }

std::unique_ptr<XPlanePort> BuiltPlanSystem::MakeXPlanePort() { return MakeSystemXPlanePort(); }

XPlaneLinkSettings BuiltPlanSystem::XPlaneSettings() { return XPlaneLinkSettingsFromEnvironment(); }

}  // namespace tarnwick
