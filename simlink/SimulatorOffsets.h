#pragma once

#include <cstdint>

namespace tarnwick {

// Simulator values the planner reads and writes, by offset.
inline constexpr std::int32_t kFsuipcVersionOffset = 0x3304;   // server version, read at open
inline constexpr std::int32_t kSimVersionOffset = 0x3308;      // 0xFADE and the version code
inline constexpr std::int32_t kClientWordOffset = 0x330A;      // written at open
inline constexpr std::int32_t kZeroFuelWeightOffset = 0x3BFC;  // pounds x 256
inline constexpr std::int32_t kLeftMainTankOffset = 0x0B7C;    // filling level
inline constexpr std::int32_t kRightMainTankOffset = 0x0B94;   // filling level

}  // namespace tarnwick
