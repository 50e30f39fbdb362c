// The planner's system pieces in builds with Qt.
#include <iostream>

#include "apps/tarnwick-plan/DesktopSession.h"
#include "apps/tarnwick-plan/PlanSystem.h"
#include "print/QtUrlOpener.h"
#include "ui/WindowSettings.h"
#include "ui/platform/QtSettingsStore.h"
#include "ui/platform/SystemNumberFormat.h"

namespace tarnwick {
namespace {

class QtPlanStoreFile final : public PlanStoreFile {
 public:
  explicit QtPlanStoreFile(const std::string& path)
      : store_(std::string(kSettingsApplication), path) {
    if (const auto& notice = store_.SetAsideNotice()) {
      std::cerr << "tarnwick-plan: " << *notice << '\n';
    }
  }

  SettingsStore& Store() override { return store_; }
  bool Save() override {
    if (store_.Sync()) return true;
    std::cerr << "tarnwick-plan: " << SettingsNotWrittenText(store_) << '\n';
    return false;
  }

 private:
  QtSettingsStore store_;
};

class QtPlanUrlOpening final : public PlanUrlOpening {
 public:
  UrlOpener& Opener() override { return opener_; }

 private:
  std::unique_ptr<QGuiApplication> session_ = StartDesktopSession();
  QtUrlOpener opener_;
};

}  // namespace

std::vector<std::string> PlanArguments(int argc, char** argv) { return {argv, argv + argc}; }

NumberFormat PlanNumberFormat() { return SystemNumberFormat(); }

std::unique_ptr<PlanStoreFile> OpenPlanStoreFile(const std::string& path) {
  return std::make_unique<QtPlanStoreFile>(path);
}

std::unique_ptr<PlanUrlOpening> StartPlanUrlOpening() {
  return std::make_unique<QtPlanUrlOpening>();
}

}  // namespace tarnwick
