#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/FuelPlan.h"
#include "ui/MainWindowControls.h"
#include "ui/NumberFormat.h"
#include "ui/SettingsStore.h"

namespace tarnwick {

inline constexpr std::string_view kSettingsApplication = "Tarnwick";
inline constexpr std::string_view kSettingsSection = "Settings";

// How a key's text is applied to the window and taken back from it.
enum class StoredAs {
  kListIndex,    // the selected index of a list, a whole number
  kCheckValue,   // the check box's value, 0 or 1
  kText,         // the box's text, exactly as it stands
  kWeightKg,     // kilograms, shown in the box in the display unit; saved from the plan results
  kModelNumber,  // the aircraft model's number in the model table
};

// One key of the settings store and the control it is restored into. For the texts, the
// default is that number written out.
struct SettingsKey {
  std::string_view key;
  StoredAs storedAs;
  std::string_view control;  // empty for the model number, which no control holds
  int defaultValue;
  double PlanResults::*savedWeight = nullptr;  // the plan result a weight key is saved from
};

// The sixteen keys in the order they are restored. The unit comes first, so that the weights
// restored after it show in that unit; the first two keys are saved last.
std::span<const SettingsKey> SettingsKeys();
inline constexpr std::size_t kKeysRestoredFirstSavedLast = 2;

// Puts the sixteen stored inputs back into the window, the unit first so that the weights show
// in it, and returns the stored model number. A stored value that is not a number, or lies
// outside its list, its check values or the model table, gives way to the key's default.
std::int16_t RestoreWindowSettings(MainWindowControls& controls, SettingsStore& store,
                                   const NumberFormat& numberFormat);

// Writes all sixteen keys, from "TripDistance" on and "Units" and "Icing" last: list indexes and
// the check value as whole numbers, the wind boxes' texts as they stand, and the four weights
// from the plan results in kilograms.
void SaveWindowSettings(const MainWindowControls& controls, SettingsStore& store,
                        const PlanResults& plan, std::int16_t model);

}  // namespace tarnwick
