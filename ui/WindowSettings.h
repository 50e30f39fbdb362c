#pragma once

#include <cstdint>
#include <string_view>

#include "core/FuelPlan.h"
#include "ui/MainWindowControls.h"
#include "ui/NumberFormat.h"
#include "ui/SettingsStore.h"

namespace tarnwick {

inline constexpr std::string_view kSettingsApplication = "Tarnwick";
inline constexpr std::string_view kSettingsSection = "Settings";

// Puts the sixteen stored inputs back into the window, the unit first so that the weights show
// in it, and returns the stored model number. A stored value that is not a number, or lies
// outside its list, its check values or the model table, gives way to the key's default.
std::int16_t RestoreWindowSettings(MainWindowControls& controls, SettingsStore& store,
                                   const NumberFormat& numberFormat);

// Writes all sixteen keys: list indexes and the check value as whole numbers, the wind boxes'
// texts as they stand, and the four weights from the plan results in kilograms.
void SaveWindowSettings(const MainWindowControls& controls, SettingsStore& store,
                        const PlanResults& plan, std::int16_t model);

}  // namespace tarnwick
