// The planner's system pieces in builds without Qt, such as the Windows build.
#include "apps/tarnwick-plan/PlanSystem.h"

#ifdef _WIN32
#include "print/Win32UrlOpener.h"
#endif

namespace tarnwick {
namespace {

#ifdef _WIN32
using SystemUrlOpener = Win32UrlOpener;
#else
// Without Qt there is nothing to hand a URL to on this system.
class SystemUrlOpener final : public UrlOpener {
 public:
  bool Open(const std::string& /*url*/) override { return false; }
};
#endif

class PlainPlanUrlOpening final : public PlanUrlOpening {
 public:
  UrlOpener& Opener() override { return opener_; }

 private:
  SystemUrlOpener opener_;
};

}  // namespace

NumberFormat PlanNumberFormat() { return {.groupSeparator = ",", .decimalSeparator = "."}; }

std::unique_ptr<PlanStoreFile> OpenPlanStoreFile(const std::string& /*path*/) { return nullptr; }

std::unique_ptr<PlanUrlOpening> StartPlanUrlOpening() {
  return std::make_unique<PlainPlanUrlOpening>();
}

}  // namespace tarnwick
