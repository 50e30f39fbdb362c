#pragma once

#include <cstdint>
#include <span>

#include "simlink/IpcClient.h"

namespace tarnwick {

// One-value exchanges with the simulator: one queued request, then the batch is sent. True only
// when both steps succeed; a refused request is not sent and its result stands.
bool ReadAndProcess(IpcClient& link, std::int32_t offset, std::span<std::byte> destination,
                    LinkResult& result);
bool WriteAndProcess(IpcClient& link, std::int32_t offset, std::span<const std::byte> source,
                     LinkResult& result);

}  // namespace tarnwick
