#pragma once

namespace tarnwick {

// The values that the window's pick lists offer: the item at index i stands for
// first + i * step, from first up to last. The lists are filled from these scales and the plan
// reads its distances, flight levels and temperature back through them.
struct PickListScale {
  int first;
  int step;
  int last;

  constexpr int Count() const { return (last - first) / step + 1; }
  constexpr int ValueAt(int index) const { return first + index * step; }
  constexpr int IndexOf(int value) const { return (value - first) / step; }
};

inline constexpr PickListScale kTripDistanceScaleNm{.first = 50, .step = 50, .last = 1150};
inline constexpr PickListScale kAlternateDistanceScaleNm{.first = 0, .step = 50, .last = 500};
inline constexpr PickListScale kFlightLevelScale{.first = 100, .step = 10, .last = 250};
inline constexpr PickListScale kTemperatureScaleC{.first = -60, .step = 1, .last = 60};

// The temperature the list shows at the first start.
inline constexpr int kStandardTemperatureC = 15;

}  // namespace tarnwick
