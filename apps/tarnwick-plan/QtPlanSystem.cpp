// The planner's system in builds with Qt.
#include "apps/tarnwick-plan/BuiltPlanSystem.h"
#include "apps/tarnwick-plan/DesktopSession.h"
#include "print/QtUrlOpener.h"
#include "ui/qtsystem/QtUserNumberFormat.h"

namespace tarnwick {
namespace {

class QtPlanUrlOpening final : public PlanUrlOpening {
 public:
  UrlOpener& Opener() override { return opener_; }

 private:
  std::unique_ptr<QGuiApplication> session_ = StartDesktopSession();
  QtUrlOpener opener_;
};

// The user's number format, --store files, Qt's desktop services.
class QtPlanSystem final : public BuiltPlanSystem {
 public:
  NumberFormat Format() override { return UserNumberFormat(); }
  std::unique_ptr<PlanStoreFile> OpenStoreFile(const std::string& path,
                                               std::ostream& complaints) override {
    return OpenIniStoreFile(path, complaints);
  }
  std::unique_ptr<PlanUrlOpening> StartUrlOpening() override {
    return std::make_unique<QtPlanUrlOpening>();
  }
};

}  // namespace

std::unique_ptr<PlanSystem> MakeBuiltPlanSystem() { return std::make_unique<QtPlanSystem>(); }

}  // namespace tarnwick
