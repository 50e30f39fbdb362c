#include "simlink/SystemIpcPort.h"
#include "simlink/Win32IpcPort.h"

namespace tarnwick {

std::unique_ptr<IpcPort> MakeSystemIpcPort() { return std::make_unique<Win32IpcPort>(); }

}  // namespace tarnwick
