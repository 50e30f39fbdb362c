#include "apps/platform/PlainPlatform.h"
#include "apps/tarnwick-plan/PlanPlatform.h"

namespace tarnwick {

std::unique_ptr<PlatformServices> MakePlanPlatform() { return std::make_unique<PlainPlatform>(); }

}  // namespace tarnwick
