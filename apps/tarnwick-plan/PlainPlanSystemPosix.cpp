// What a build without Qt takes from a POSIX system: nothing to hand a URL to, and no --store
// file.
#include "apps/tarnwick-plan/PlainPlanSystem.h"

namespace tarnwick {
namespace {

class NoUrlOpener final : public UrlOpener {
 public:
  bool Open(const std::string& /*url*/) override { return false; }
};

}  // namespace

std::unique_ptr<UrlOpener> MakePlainUrlOpener() { return std::make_unique<NoUrlOpener>(); }

std::unique_ptr<PlanStoreFile> OpenPlainStoreFile(const std::string& /*path*/,
                                                  std::ostream& /*complaints*/) {
  return nullptr;
}

}  // namespace tarnwick
