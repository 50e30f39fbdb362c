#include "simlink/PosixIpcPort.h"
#include "simlink/StandInTransport.h"
#include "simlink/SystemIpcPort.h"

namespace tarnwick {

std::unique_ptr<IpcPort> MakeSystemIpcPort() {
  return std::make_unique<PosixIpcPort>(StandInDirectory());
}

}  // namespace tarnwick
