#pragma once

#include <memory>

#include "simlink/IpcPort.h"

namespace tarnwick {

// The simulator link's port of the system the program runs on.
std::unique_ptr<IpcPort> MakeSystemIpcPort();

}  // namespace tarnwick
