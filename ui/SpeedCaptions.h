#pragma once

#include <string_view>

namespace tarnwick {

// Each takeoff speed label's caption is its prefix followed by the speed in knots, or by
// kNoSpeedText where the schedule has no value.
inline constexpr std::string_view kV1CaptionPrefix = "V1/Vr: ";
inline constexpr std::string_view kV2CaptionPrefix = "V2: ";
inline constexpr std::string_view kVftoCaptionPrefix = "Vfto: ";
inline constexpr std::string_view kVmLB0CaptionPrefix = "VmLB0: ";
inline constexpr std::string_view kVmLB15CaptionPrefix = "VmLB15: ";
inline constexpr std::string_view kVmHB30CaptionPrefix = "VmHB30: ";
inline constexpr std::string_view kNoSpeedText = "n/a";

}  // namespace tarnwick
