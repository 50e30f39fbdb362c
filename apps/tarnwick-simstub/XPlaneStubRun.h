#pragma once

#include <functional>

#include "apps/tarnwick-simstub/StubCommandLine.h"

namespace tarnwick {

// Plays X-Plane as the options say until stopRequested returns true, logging each set to
// standard output. The exit status: 0, or 1 when it cannot serve (the reason is on stderr).
int RunXPlaneStub(const StubOptions& options, const std::function<bool()>& stopRequested);

}  // namespace tarnwick
