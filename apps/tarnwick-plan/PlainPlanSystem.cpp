// The planner's system pieces in builds without Qt, such as the Windows build.
#include "apps/tarnwick-plan/PlanSystem.h"

namespace tarnwick {

NumberFormat PlanNumberFormat() { return {.groupSeparator = ",", .decimalSeparator = "."}; }

std::unique_ptr<PlanStoreFile> OpenPlanStoreFile(const std::string& /*path*/) { return nullptr; }

}  // namespace tarnwick
