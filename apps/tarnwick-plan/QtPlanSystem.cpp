// The planner's system in builds with Qt.
#include "apps/tarnwick-plan/BuiltPlanSystem.h"
#include "apps/tarnwick-plan/DesktopSession.h"
#include "print/QtUrlOpener.h"
#include "ui/WindowSettings.h"
#include "ui/platform/QtSettingsStore.h"
#include "ui/platform/SystemNumberFormat.h"

namespace tarnwick {
namespace {

class QtPlanStoreFile final : public PlanStoreFile {
 public:
  QtPlanStoreFile(const std::string& path, std::ostream& complaints)
      : store_(std::string(kSettingsApplication), path), complaints_(complaints) {
    if (const auto& notice = store_.SetAsideNotice()) {
      complaints_ << "tarnwick-plan: " << *notice << '\n';
    }
  }

  SettingsStore& Store() override { return store_; }
  bool Save() override {
    if (store_.Sync()) return true;
    complaints_ << "tarnwick-plan: " << SettingsNotWrittenText(store_) << '\n';
    return false;
  }

 private:
  QtSettingsStore store_;
  std::ostream& complaints_;
};

class QtPlanUrlOpening final : public PlanUrlOpening {
 public:
  UrlOpener& Opener() override { return opener_; }

 private:
  std::unique_ptr<QGuiApplication> session_ = StartDesktopSession();
  QtUrlOpener opener_;
};

// The user's number format, --store files through QSettings, Qt's desktop services.
class QtPlanSystem final : public BuiltPlanSystem {
 public:
  NumberFormat Format() override { return SystemNumberFormat(); }
  std::unique_ptr<PlanStoreFile> OpenStoreFile(const std::string& path,
                                               std::ostream& complaints) override {
    return std::make_unique<QtPlanStoreFile>(path, complaints);
  }
  std::unique_ptr<PlanUrlOpening> StartUrlOpening() override {
    return std::make_unique<QtPlanUrlOpening>();
  }
};

}  // namespace

std::unique_ptr<PlanSystem> MakeBuiltPlanSystem() { return std::make_unique<QtPlanSystem>(); }

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

}  // namespace tarnwick
