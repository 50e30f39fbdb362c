#pragma once

#include <memory>

#include "apps/platform/PlatformServices.h"

namespace tarnwick {

// The platform this build of tarnwick-plan runs on: Qt's where it was built with Qt
// (PlanPlatformQt.cpp), else the one without a window toolkit (PlanPlatformPlain.cpp).
std::unique_ptr<PlatformServices> MakePlanPlatform();

}  // namespace tarnwick
