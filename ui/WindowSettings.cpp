#include "ui/WindowSettings.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/AircraftModelTable.h"
#include "core/PickListScales.h"
#include "core/WeightUnits.h"
#include "ui/StoredValues.h"

namespace tarnwick {
namespace {

// clang-format off
constexpr std::array<SettingsKey, 16> kSettingsKeys{{
    {"Units", StoredAs::kListIndex, "cboUnits", kKilogramsUnitIndex},
    {"Icing", StoredAs::kCheckValue, "chkIcing", 0},
    {"TripDistance", StoredAs::kListIndex, "cboTripDistance", 0},
    {"CruisingAlt", StoredAs::kListIndex, "cboCruisingAlt", 0},
    {"WindType", StoredAs::kListIndex, "cboWindType", 0},
    {"Headwind", StoredAs::kText, "txtHeadwind", 0},
    {"Temp", StoredAs::kListIndex, "cboTemp", kTemperatureScaleC.IndexOf(kStandardTemperatureC)},
    {"AlternateDistance", StoredAs::kListIndex, "cboAlternateDistance", 0},
    {"CruisingAltAlt", StoredAs::kListIndex, "cboCruisingAltAlt", 0},
    {"WindTypeAlt", StoredAs::kListIndex, "cboWindTypeAlt", 0},
    {"HeadwindAlt", StoredAs::kText, "txtHeadwindAlt", 0},
    {"Payload", StoredAs::kWeightKg, "txtPayload", 0, &PlanResults::Payload},
    {"TaxiFuel", StoredAs::kWeightKg, "txtTaxiFuel", 0, &PlanResults::TaxiFuel},
    {"HoldingFuel", StoredAs::kWeightKg, "txtHoldingFuel", 0, &PlanResults::HoldingFuel},
    {"MinimumFuel", StoredAs::kWeightKg, "txtMinimumFuel", 0, &PlanResults::MinimumFuel},
    {"Model", StoredAs::kModelNumber, "", 0},
}};
// clang-format on

class StoreSection {
 public:
  explicit StoreSection(SettingsStore& store) : store_(store) {}

  std::string Read(const SettingsKey& key) const {
    return store_.Read(kSettingsApplication, kSettingsSection, key.key,
                       std::to_string(key.defaultValue));
  }
  // A whole number from minimum to maximum, or the key's default.
  int ReadWholeNumber(const SettingsKey& key, int minimum, int maximum) const {
    const auto stored = ParseStoredWholeNumber(Read(key));
    return stored && *stored >= minimum && *stored <= maximum ? *stored : key.defaultValue;
  }
  void Write(const SettingsKey& key, std::string_view value) const {
    store_.Write(kSettingsApplication, kSettingsSection, key.key, value);
  }

 private:
  SettingsStore& store_;
};

template <typename ControlType>
ControlType& ControlOf(MainWindowControls& controls, const SettingsKey& key) {
  auto* control = controls.Find<ControlType>(key.control);
  if (control == nullptr) throw std::logic_error("no control for the key " + std::string(key.key));
  return *control;
}
template <typename ControlType>
const ControlType& ControlOf(const MainWindowControls& controls, const SettingsKey& key) {
  return ControlOf<ControlType>(const_cast<MainWindowControls&>(controls), key);
}

// Applies one key to the window; the model key gives the model number instead.
std::optional<std::int16_t> RestoreKey(const StoreSection& section, const SettingsKey& key,
                                       MainWindowControls& controls,
                                       const NumberFormat& numberFormat) {
  switch (key.storedAs) {
    case StoredAs::kListIndex: {
      auto& list = ControlOf<ComboBox>(controls, key);
      list.SetSelectedIndex(section.ReadWholeNumber(key, 0, list.ItemCount() - 1));
      break;
    }
    case StoredAs::kCheckValue:
      ControlOf<CheckBox>(controls, key).SetValue(section.ReadWholeNumber(key, 0, 1));
      break;
    case StoredAs::kText:
      ControlOf<TextBox>(controls, key).SetText(section.Read(key));
      break;
    case StoredAs::kWeightKg: {
      const double kg =
          ParseStoredWeight(section.Read(key), numberFormat.decimalSeparator).value_or(0.0);
      ControlOf<TextBox>(controls, key).SetText(KgToText(kg, controls.cboUnits.SelectedIndex()));
      break;
    }
    case StoredAs::kModelNumber:
      return static_cast<std::int16_t>(
          section.ReadWholeNumber(key, 0, AircraftModelTable::kModelCount - 1));
  }
  return std::nullopt;
}

std::string SavedText(const SettingsKey& key, const MainWindowControls& controls,
                      const PlanResults& plan, std::int16_t model) {
  switch (key.storedAs) {
    case StoredAs::kListIndex:
      return std::to_string(ControlOf<ComboBox>(controls, key).SelectedIndex());
    case StoredAs::kCheckValue:
      return std::to_string(ControlOf<CheckBox>(controls, key).Value());
    case StoredAs::kText:
      return ControlOf<TextBox>(controls, key).Text();
    case StoredAs::kWeightKg:
      return FormatStoredWeight(plan.*key.savedWeight);
    case StoredAs::kModelNumber:
      break;
  }
  return std::to_string(model);
}

}  // namespace

std::span<const SettingsKey> SettingsKeys() { return kSettingsKeys; }

std::int16_t RestoreWindowSettings(MainWindowControls& controls, SettingsStore& store,
                                   const NumberFormat& numberFormat) {
  const StoreSection section(store);
  std::int16_t model = 0;
  for (const SettingsKey& key : kSettingsKeys) {
    if (const auto number = RestoreKey(section, key, controls, numberFormat)) model = *number;
  }
  return model;
}

void SaveWindowSettings(const MainWindowControls& controls, SettingsStore& store,
                        const PlanResults& plan, std::int16_t model) {
  const StoreSection section(store);
  const std::size_t count = kSettingsKeys.size();
  for (std::size_t step = 0; step < count; ++step) {
    const SettingsKey& key = kSettingsKeys[(step + kKeysRestoredFirstSavedLast) % count];
    section.Write(key, SavedText(key, controls, plan, model));
  }
}

}  // namespace tarnwick
