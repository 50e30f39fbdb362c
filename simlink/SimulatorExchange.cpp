#include "simlink/SimulatorExchange.h"

namespace tarnwick {

bool ReadAndProcess(IpcClient& link, std::int32_t offset, std::span<std::byte> destination,
                    LinkResult& result) {
  return link.QueueRead(offset, destination, result) && link.LinkProcess(result);
}

bool WriteAndProcess(IpcClient& link, std::int32_t offset, std::span<const std::byte> source,
                     LinkResult& result) {
  return link.QueueWrite(offset, source, result) && link.LinkProcess(result);
}

}  // namespace tarnwick
