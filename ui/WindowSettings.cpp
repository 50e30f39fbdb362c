#include "ui/WindowSettings.h"

#include <string>

#include "core/AircraftModelTable.h"
#include "core/WeightUnits.h"
#include "ui/StoredValues.h"

namespace tarnwick {
namespace {

class StoreSection {
 public:
  explicit StoreSection(SettingsStore& store) : store_(store) {}

  std::string Read(std::string_view key, std::string_view defaultValue) const {
    return store_.Read(kSettingsApplication, kSettingsSection, key, defaultValue);
  }
  // A whole number from minimum to maximum, or the default.
  int ReadWholeNumber(std::string_view key, int defaultValue, int minimum, int maximum) const {
    const auto stored = ParseStoredWholeNumber(Read(key, std::to_string(defaultValue)));
    return stored && *stored >= minimum && *stored <= maximum ? *stored : defaultValue;
  }
  void Write(std::string_view key, std::string_view value) const {
    store_.Write(kSettingsApplication, kSettingsSection, key, value);
  }

 private:
  SettingsStore& store_;
};

void RestoreSelection(const StoreSection& section, std::string_view key, ComboBox& list,
                      int defaultIndex) {
  list.SetSelectedIndex(section.ReadWholeNumber(key, defaultIndex, 0, list.ItemCount() - 1));
}

void RestoreWeight(const StoreSection& section, std::string_view key, TextBox& box,
                   const MainWindowControls& controls, const NumberFormat& numberFormat) {
  const double kg =
      ParseStoredWeight(section.Read(key, "0"), numberFormat.decimalSeparator).value_or(0.0);
  box.SetText(KgToText(kg, controls.cboUnits.SelectedIndex()));
}

void SaveSelection(const StoreSection& section, std::string_view key, const ComboBox& list) {
  section.Write(key, std::to_string(list.SelectedIndex()));
}

}  // namespace

std::int16_t RestoreWindowSettings(MainWindowControls& c, SettingsStore& store,
                                   const NumberFormat& numberFormat) {
  const StoreSection section(store);
  RestoreSelection(section, "Units", c.cboUnits, kKilogramsUnitIndex);
  c.chkIcing.SetValue(section.ReadWholeNumber("Icing", 0, 0, 1));
  RestoreSelection(section, "TripDistance", c.cboTripDistance, 0);
  RestoreSelection(section, "CruisingAlt", c.cboCruisingAlt, 0);
  RestoreSelection(section, "WindType", c.cboWindType, 0);
  c.txtHeadwind.SetText(section.Read("Headwind", "0"));
  RestoreSelection(section, "Temp", c.cboTemp, 75);
  RestoreSelection(section, "AlternateDistance", c.cboAlternateDistance, 0);
  RestoreSelection(section, "CruisingAltAlt", c.cboCruisingAltAlt, 0);
  RestoreSelection(section, "WindTypeAlt", c.cboWindTypeAlt, 0);
  c.txtHeadwindAlt.SetText(section.Read("HeadwindAlt", "0"));
  RestoreWeight(section, "Payload", c.txtPayload, c, numberFormat);
  RestoreWeight(section, "TaxiFuel", c.txtTaxiFuel, c, numberFormat);
  RestoreWeight(section, "HoldingFuel", c.txtHoldingFuel, c, numberFormat);
  RestoreWeight(section, "MinimumFuel", c.txtMinimumFuel, c, numberFormat);
  return static_cast<std::int16_t>(
      section.ReadWholeNumber("Model", 0, 0, AircraftModelTable::kModelCount - 1));
}

void SaveWindowSettings(const MainWindowControls& c, SettingsStore& store, const PlanResults& plan,
                        std::int16_t model) {
  const StoreSection section(store);
  SaveSelection(section, "TripDistance", c.cboTripDistance);
  SaveSelection(section, "CruisingAlt", c.cboCruisingAlt);
  SaveSelection(section, "WindType", c.cboWindType);
  section.Write("Headwind", c.txtHeadwind.Text());
  SaveSelection(section, "Temp", c.cboTemp);
  SaveSelection(section, "AlternateDistance", c.cboAlternateDistance);
  SaveSelection(section, "CruisingAltAlt", c.cboCruisingAltAlt);
  SaveSelection(section, "WindTypeAlt", c.cboWindTypeAlt);
  section.Write("HeadwindAlt", c.txtHeadwindAlt.Text());
  section.Write("Payload", FormatStoredWeight(plan.Payload));
  section.Write("TaxiFuel", FormatStoredWeight(plan.TaxiFuel));
  section.Write("HoldingFuel", FormatStoredWeight(plan.HoldingFuel));
  section.Write("MinimumFuel", FormatStoredWeight(plan.MinimumFuel));
  section.Write("Model", std::to_string(model));
  SaveSelection(section, "Units", c.cboUnits);
  section.Write("Icing", std::to_string(c.chkIcing.Value()));
}

}  // namespace tarnwick
