#include "ui/PickLists.h"

#include <string>

namespace tarnwick {

void FillPickLists(MainWindowControls& controls) {
  controls.cboTripDistance.Clear();
  controls.cboAlternateDistance.Clear();
  for (int nm = 0; nm <= 1150; nm += 50) {
    if (nm > 0) controls.cboTripDistance.AddItem(std::to_string(nm));
    if (nm <= 500) controls.cboAlternateDistance.AddItem(std::to_string(nm));
  }
  for (int flightLevel = 100; flightLevel <= 250; flightLevel += 10) {
    controls.cboCruisingAlt.AddItem("FL" + std::to_string(flightLevel));
    controls.cboCruisingAltAlt.AddItem("FL" + std::to_string(flightLevel));
  }
  for (int celsius = -60; celsius <= 60; ++celsius) {
    controls.cboTemp.AddItem(std::to_string(celsius));
  }
}

}  // namespace tarnwick
