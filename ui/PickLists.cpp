#include "ui/PickLists.h"

#include <string>
#include <string_view>

#include "core/PickListScales.h"

namespace tarnwick {
namespace {

void AppendScale(ComboBox& list, const PickListScale& scale, std::string_view prefix = {}) {
  for (int index = 0; index < scale.Count(); ++index) {
    list.AddItem(std::string(prefix) + std::to_string(scale.ValueAt(index)));
  }
}

}  // namespace

void FillPickLists(MainWindowControls& controls) {
  controls.cboTripDistance.Clear();
  controls.cboAlternateDistance.Clear();
  AppendScale(controls.cboTripDistance, kTripDistanceScaleNm);
  AppendScale(controls.cboAlternateDistance, kAlternateDistanceScaleNm);
  AppendScale(controls.cboCruisingAlt, kFlightLevelScale, "FL");
  AppendScale(controls.cboCruisingAltAlt, kFlightLevelScale, "FL");
  AppendScale(controls.cboTemp, kTemperatureScaleC);
}

}  // namespace tarnwick
