#pragma once

#include <memory>

#include "simlink/XPlanePort.h"

namespace tarnwick {

// The X-Plane link's port of the system the program runs on: BSD sockets, or Winsock on
// Windows. Throws std::runtime_error when Winsock cannot be started.
std::unique_ptr<XPlanePort> MakeSystemXPlanePort();

}  // namespace tarnwick
