#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "apps/tarnwick-plan/BuiltPlanSystem.h"

namespace tarnwick {

// The two things a build without Qt takes from its own system; PlainPlanSystemPosix.cpp and
// PlainPlanSystemWin32.cpp give them, PlainPlanSystem.cpp builds the rest alike.

// What --open hands the print page's URL to.
std::unique_ptr<UrlOpener> MakePlainUrlOpener();

// --store's file, or nullptr on a system where this build keeps no settings file.
std::unique_ptr<PlanStoreFile> OpenPlainStoreFile(const std::string& path,
                                                  std::ostream& complaints);

}  // namespace tarnwick
