#pragma once

#include <ostream>
#include <span>
#include <string>

#include "apps/platform/PlatformServices.h"
#include "apps/tarnwick-plan/PlanCommandLine.h"

namespace tarnwick {

// The exit statuses of tarnwick-plan; --help explains them.
inline constexpr int kPlanExitMade = 0;
inline constexpr int kPlanExitStoreNotWritten = 1;
inline constexpr int kPlanExitBadArguments = 2;
inline constexpr int kPlanExitUrlRefused = 3;

// One whole run of tarnwick-plan on the platform it is handed; arguments are those after the
// program's name. The plan (or the help) goes to out, complaints to err, one line each; the
// result is the exit status.
int RunPlan(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
            PlatformServices& platform);

// The same run from the parsed command line.
int RunPlan(const PlanCommandLine& commandLine, std::ostream& out, std::ostream& err,
            PlatformServices& platform);

}  // namespace tarnwick
