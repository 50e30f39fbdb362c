#include "apps/platform/QtPlatform.h"
#include "apps/tarnwick-plan/PlanPlatform.h"

namespace tarnwick {

std::unique_ptr<PlatformServices> MakePlanPlatform() { return std::make_unique<QtPlatform>(); }

}  // namespace tarnwick
