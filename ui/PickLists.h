#pragma once

#include "ui/MainWindowControls.h"

namespace tarnwick {

// Fills the distance, flight level and temperature lists from their scales: trip distances 50
// to 1150 nm and alternate distances 0 to 500 nm in 50 nm steps, "FL100" to "FL250" in steps of
// 10 for both legs, and -60 to 60 degrees Celsius.
void FillPickLists(MainWindowControls& controls);

}  // namespace tarnwick
