#include "core/WeightUnits.h"

#include <cmath>

#include "core/ArithmeticFault.h"
#include "core/LeadingNumber.h"
#include "core/Rounding.h"

namespace tarnwick {

double TextToKg(std::string_view text, int unitIndex) {
  try {
    const double number = ReadLeadingNumber(text);
    const double kg = unitIndex == kPoundsUnitIndex ? number / kLbsPerKg : number;
    return std::isfinite(kg) ? kg : 0.0;
  } catch (const ArithmeticFault&) {
    return 0.0;
  }
}

std::string KgToText(double kg, int unitIndex) {
  const double shown = unitIndex == kPoundsUnitIndex ? kg * kLbsPerKg : kg;
  try {
    return std::to_string(RoundToInt32(shown));
  } catch (const OverflowFault&) {
    return "???";
  }
}

std::string_view UnitCaption(int unitIndex) {
  return unitIndex == kKilogramsUnitIndex ? "Kgs." : "Lbs.";
}

std::string_view UnitSuffix(int unitIndex) {
  return unitIndex == kKilogramsUnitIndex ? " Kgs." : " Lbs.";
}

}  // namespace tarnwick
