#include "apps/tarnwick-plan/BuiltPlanSystem.h"

#include "print/LocalSiteHost.h"
#include "simlink/SystemIpcPort.h"
#include "simlink/SystemXPlanePort.h"
#include "ui/IniFileSettingsStore.h"
#include "ui/SettingsSaving.h"
#include "ui/WindowSettings.h"

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

class IniPlanStoreFile final : public PlanStoreFile {
 public:
  IniPlanStoreFile(const std::string& path, std::ostream& complaints)
      : store_(std::string(kSettingsApplication), path), complaints_(complaints) {
    if (const auto& notice = store_.SetAsideNotice()) {
      complaints_ << "tarnwick-plan: " << *notice << '\n';
    }
  }

  SettingsStore& Store() override { return store_; }
  bool Save() override {
    if (store_.Save()) return true;
    complaints_ << "tarnwick-plan: " << SettingsNotWrittenText(store_) << '\n';
    return false;
  }

 private:
  IniFileSettingsStore store_;
  std::ostream& complaints_;
};

}  // namespace

std::unique_ptr<PlanStoreFile> OpenIniStoreFile(const std::string& path, std::ostream& complaints) {
  return std::make_unique<IniPlanStoreFile>(path, complaints);
}

std::unique_ptr<PlanSite> BuiltPlanSystem::SiteFor(std::string_view webHost) {
  return std::make_unique<LocalPlanSite>(webHost);
}

std::unique_ptr<IpcPort> BuiltPlanSystem::MakeIpcPort() { return MakeSystemIpcPort(); }

std::unique_ptr<XPlanePort> BuiltPlanSystem::MakeXPlanePort() { return MakeSystemXPlanePort(); }

XPlaneLinkSettings BuiltPlanSystem::XPlaneSettings() { return XPlaneLinkSettingsFromEnvironment(); }

}  // namespace tarnwick
