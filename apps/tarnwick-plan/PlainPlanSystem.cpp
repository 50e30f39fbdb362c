// The planner's system in builds without Qt, such as the Windows build.
#include "apps/tarnwick-plan/PlainPlanSystem.h"

namespace tarnwick {
namespace {

class PlainPlanUrlOpening final : public PlanUrlOpening {
 public:
  UrlOpener& Opener() override { return *opener_; }

 private:
  std::unique_ptr<UrlOpener> opener_ = MakePlainUrlOpener();
};

// "," groups digits and "." is the decimal point; the URL opener and --store files are the
// system's.
class PlainPlanSystem final : public BuiltPlanSystem {
 public:
  NumberFormat Format() override { return {.groupSeparator = ",", .decimalSeparator = "."}; }
  std::unique_ptr<PlanStoreFile> OpenStoreFile(const std::string& path,
                                               std::ostream& complaints) override {
    return OpenPlainStoreFile(path, complaints);
  }
  std::unique_ptr<PlanUrlOpening> StartUrlOpening() override {
    return std::make_unique<PlainPlanUrlOpening>();
  }
};

}  // namespace

std::unique_ptr<PlanSystem> MakeBuiltPlanSystem() { return std::make_unique<PlainPlanSystem>(); }

}  // namespace tarnwick
