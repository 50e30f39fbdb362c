#include "fuzz/SettingsProperties.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "core/AircraftModelTable.h"
#include "core/WeightUnits.h"
#include "fuzz/FuzzRequire.h"
#include "ui/WindowSettings.h"

namespace tarnwick {
namespace {

// A whole number as a stored text may spell it: blanks (space, tab) around it, one optional
// sign, decimal digits, a value of 16 bits. Written apart from the window's own reader, as the
// reference it is checked against.
std::optional<int> ReferenceWholeNumber(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  const bool negative = text.front() == '-';
  if (text.front() == '+' || negative) text.remove_prefix(1);
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  long value = 0;
  for (char digit : text) {
    value = value * 10 + (digit - '0');
    if (value > 32768) return std::nullopt;
  }
  value = negative ? -value : value;
  if (value > std::numeric_limits<std::int16_t>::max()) return std::nullopt;
  return static_cast<int>(value);
}

// The value a whole-number key must restore: its text when that is a number from minimum to
// maximum, else the key's default.
int ExpectedWholeNumber(const StoredTexts& texts, const SettingsKey& key, int minimum,
                        int maximum) {
  const auto found = texts.find(key.key);
  if (found == texts.end()) return key.defaultValue;
  const std::optional<int> number = ReferenceWholeNumber(found->second);
  return number && *number >= minimum && *number <= maximum ? *number : key.defaultValue;
}

bool IsWholeNumberText(std::string_view text) {
  if (text.starts_with('-')) text.remove_prefix(1);
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

void CheckRestoredKey(WindowOnStore& window, const StoredTexts& texts, const SettingsKey& key) {
  MainWindowControls& controls = window.Controls();
  switch (key.storedAs) {
    case StoredAs::kListIndex: {
      const ComboBox& list = *controls.Find<ComboBox>(key.control);
      Require(list.SelectedIndex() == ExpectedWholeNumber(texts, key, 0, list.ItemCount() - 1),
              "a list holds its stored index when that is within the list, else the default");
      break;
    }
    case StoredAs::kCheckValue:
      Require(controls.chkIcing.Value() == ExpectedWholeNumber(texts, key, 0, 1),
              "the icing box holds its stored 0 or 1, else the default");
      break;
    case StoredAs::kText: {
      const auto found = texts.find(key.key);
      const std::string expected =
          found == texts.end() ? std::to_string(key.defaultValue) : found->second;
      Require(controls.Find<TextBox>(key.control)->Text() == expected,
              "a wind box holds its stored text exactly");
      break;
    }
    case StoredAs::kWeightKg:
      break;  // checked with the first recalculation, which rewrites the weight boxes
    case StoredAs::kModelNumber:
      Require(window.State().model ==
                  ExpectedWholeNumber(texts, key, 0, AircraftModelTable::kModelCount - 1),
              "the model is the stored one when the table has it, else the default");
      break;
  }
}

bool IsOverflowMessage(const MessageBoxContent& message) {
  return message.text == kOverflowMessageText && message.title == "Error" &&
         message.style == MessageBoxStyle::kExclamation;
}

// The tank boxes start as "0 lbs." and only a completed recalculation writes them with the
// unit's suffix.
bool RecalculationCompleted(MainWindowControls& controls) {
  const std::string_view suffix = UnitSuffix(controls.cboUnits.SelectedIndex());
  return controls.txtLeftTank.Text().ends_with(suffix) &&
         controls.txtRightTank.Text() == controls.txtLeftTank.Text();
}

void CheckCompletedPlan(MainWindowControls& controls) {
  for (TextBox* box : {&controls.txtPayload, &controls.txtTaxiFuel, &controls.txtHoldingFuel,
                       &controls.txtMinimumFuel}) {
    Require(box->Text().empty() || box->Text() == "???" || IsWholeNumberText(box->Text()),
            "a weight box shows a whole number, \"???\" or nothing after a recalculation");
  }
  for (TextBox* box :
       {&controls.txtBOW, &controls.txtZFW, &controls.txtTaxiWeight, &controls.txtGTOW,
        &controls.txtPLW, &controls.txtPLWAlt, &controls.txtEnrouteFuel, &controls.txtAlternateFuel,
        &controls.txtTotalFuel}) {
    Require(box->Text() == "???" || IsWholeNumberText(box->Text()),
            "a result box shows a whole number or \"???\"");
  }
}

std::string StateOf(const Control& control) {
  std::string state = control.Name() + ":";
  switch (control.Kind()) {
    case ControlKind::kTextBox: {
      const auto& box = *ControlAs<TextBox>(control);
      return state + box.Text() + "|" + std::to_string(box.TextColor());
    }
    case ControlKind::kComboBox: {
      const auto& list = *ControlAs<ComboBox>(control);
      return state + std::to_string(list.SelectedIndex()) + "|" + std::to_string(list.ItemCount()) +
             "|" + list.SelectedText();
    }
    case ControlKind::kCheckBox:
      return state + std::to_string(ControlAs<CheckBox>(control)->Value());
    case ControlKind::kLabel:
      return state + ControlAs<Label>(control)->Caption();
    case ControlKind::kCommandButton:
      return state + ControlAs<CommandButton>(control)->Caption();
    case ControlKind::kWindow:
      return state + ControlAs<Window>(control)->Caption();
    case ControlKind::kFrame:
    case ControlKind::kPicture:
      break;
  }
  return state;
}

// The controls whose saved value comes from the control itself rather than the plan results.
void CheckSameSavedControls(MainWindowControls& a, MainWindowControls& b) {
  for (const SettingsKey& key : SettingsKeys()) {
    if (key.storedAs == StoredAs::kWeightKg || key.control.empty()) continue;
    Require(StateOf(*a.Find<Control>(key.control)) == StateOf(*b.Find<Control>(key.control)),
            "a control saved from itself is restored as it was");
  }
}

}  // namespace

StoredTexts ReadStoredTexts(SettingsStore& store) {
  StoredTexts texts;
  for (const SettingsKey& key : SettingsKeys()) {
    // A key is absent when the store answers each of two defaults with that default.
    const std::string first = store.Read(kSettingsApplication, kSettingsSection, key.key, "a");
    if (first == "a" && store.Read(kSettingsApplication, kSettingsSection, key.key, "b") == "b") {
      continue;
    }
    texts.emplace(std::string(key.key), first);
  }
  return texts;
}

bool CheckLoadedWindow(WindowOnStore& window, const StoredTexts& texts) {
  MainWindowControls& controls = window.Controls();
  for (const SettingsKey& key : SettingsKeys()) CheckRestoredKey(window, texts, key);
  for (const Label& label : controls.lblUnits) {
    Require(label.Caption() == UnitCaption(controls.cboUnits.SelectedIndex()),
            "every unit label names the restored unit");
  }
  const std::vector<MessageBoxContent>& shown = window.Messages().Shown();
  if (RecalculationCompleted(controls)) {
    Require(shown.empty(), "a completed first recalculation shows no message");
    CheckCompletedPlan(controls);
    return true;
  }
  Require(shown.size() == 1 && IsOverflowMessage(shown.front()),
          "a first recalculation that did not complete shows the overflow message");
  return false;
}

void CheckRestoredAsSaved(MainWindowControls& saved, MainWindowControls& restored,
                          bool recalculated) {
  if (!recalculated) {
    CheckSameSavedControls(saved, restored);
    return;
  }
  Require(saved.All().size() == restored.All().size(), "both windows have the same controls");
  for (std::size_t i = 0; i < saved.All().size(); ++i) {
    Require(StateOf(*saved.All()[i]) == StateOf(*restored.All()[i]),
            "a restored window shows the same controls as the one saved");
  }
}

void CheckSaveAndRestore(WindowOnStore& window, bool recalculated,
                         const NumberFormat& numberFormat) {
  InMemorySettingsStore saved;
  SaveWindowSettings(window.Controls(), saved, window.State().plan, window.State().model);
  Require(saved.Values().size() == SettingsKeys().size(), "saving writes all sixteen keys");
  WindowOnStore restored(saved, numberFormat);
  CheckLoadedWindow(restored, ReadStoredTexts(saved));
  CheckRestoredAsSaved(window.Controls(), restored.Controls(), recalculated);
  if (!recalculated) return;
  InMemorySettingsStore savedAgain;
  SaveWindowSettings(restored.Controls(), savedAgain, restored.State().plan,
                     restored.State().model);
  Require(savedAgain.Values() == saved.Values(), "saving a restored window gives the same keys");
}

}  // namespace tarnwick
