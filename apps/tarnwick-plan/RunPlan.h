#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "apps/tarnwick-plan/PlanSystem.h"

namespace tarnwick {

// The exit statuses of tarnwick-plan; --help explains them.
inline constexpr int kPlanExitMade = 0;
inline constexpr int kPlanExitStoreNotWritten = 1;
inline constexpr int kPlanExitBadArguments = 2;
inline constexpr int kPlanExitUrlRefused = 3;

// One run of tarnwick-plan: arguments are those after the program's name. The plan (or the
// help) goes to out, complaints to err, one line each; the result is the exit status.
int RunPlan(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
            PlanSystem& system);

}  // namespace tarnwick
