#include "apps/tarnwick-plan/PlanActions.h"

#include <charconv>
#include <functional>
#include <string_view>

#include "apps/tarnwick-plan/PlanArgumentError.h"
#include "apps/tarnwick-plan/TypedKeys.h"
#include "apps/tarnwick-plan/Utf8.h"

namespace tarnwick {
namespace {

// An action bound to its control, ready to run.
using Step = std::function<void()>;
using ControlPredicate = bool (*)(const Control&);

bool IsList(const Control& control) { return control.Kind() == ControlKind::kComboBox; }

bool IsInputBox(const Control& control) {
  const auto* box = ControlAs<TextBox>(control);
  return box != nullptr && box->IsInput();
}

bool IsCheckBox(const Control& control) { return control.Kind() == ControlKind::kCheckBox; }

bool IsSettable(const Control& control) {
  return IsList(control) || IsInputBox(control) || IsCheckBox(control);
}

bool IsButton(const Control& control) { return control.Kind() == ControlKind::kCommandButton; }

bool IsAvailableButton(const Control& control) {
  const auto* button = ControlAs<CommandButton>(control);
  return button != nullptr && button->HasClickHandler();
}

std::string_view KindOf(const Control& control) {
  switch (control.Kind()) {
    case ControlKind::kComboBox:
      return "a list";
    case ControlKind::kTextBox:
      return IsInputBox(control) ? "an input box" : "a display box";
    case ControlKind::kCheckBox:
      return "a check box";
    case ControlKind::kCommandButton:
      return "a button";
    case ControlKind::kLabel:
      return "a label";
    case ControlKind::kWindow:
    case ControlKind::kFrame:
    case ControlKind::kPicture:
      break;
  }
  return "the window";
}

std::string Join(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts) {
    if (!joined.empty()) joined += ", ";
    joined += part;
  }
  return joined;
}

std::string NamesOf(const MainWindowControls& controls, ControlPredicate accepts) {
  std::vector<std::string> names;
  for (const Control* control : controls.All()) {
    if (accepts(*control)) names.push_back(control->Name());
  }
  return Join(names);
}

// One kind of the help's control list: its label, then the names, wrapped below the first.
std::string ControlsHelpLines(const MainWindowControls& controls, std::string_view label,
                              ControlPredicate accepts) {
  constexpr std::size_t kWidth = 94;
  const std::string indent(15, ' ');
  std::string line = "  " + std::string(label);
  line.resize(indent.size(), ' ');
  std::string lines;
  bool first = true;
  for (const Control* control : controls.All()) {
    if (!accepts(*control)) continue;
    const std::string name = first ? control->Name() : ", " + control->Name();
    if (!first && line.size() + name.size() + 1 > kWidth) {
      lines += line + ",\n";
      line = indent + control->Name();
    } else {
      line += name;
    }
    first = false;
  }
  return lines + line + "\n";
}

std::string Describe(const PlanAction& action) {
  std::string text = std::string(OptionName(action.verb)) + " " + action.control;
  if (action.verb != PlanVerb::kClick) text += "=" + action.value;
  return text;
}

class ActionResolver {
 public:
  explicit ActionResolver(MainWindowControls& controls) : controls_(controls) {}

  Step Resolve(const PlanAction& action) const {
    switch (action.verb) {
      case PlanVerb::kSet:
        return ResolveSet(action);
      case PlanVerb::kSelect:
        return ResolveSelect(action);
      case PlanVerb::kType:
        return ResolveType(action);
      case PlanVerb::kClick:
        return ResolveClick(action);
    }
    throw PlanArgumentError("unknown action " + Describe(action));
  }

 private:
  // The named control when the action can act on it; otherwise throws naming those it can.
  Control& Target(const PlanAction& action, ControlPredicate accepts) const {
    Control* control = controls_.Find<Control>(action.control);
    if (control != nullptr && accepts(*control)) return *control;
    const std::string option(OptionName(action.verb));
    const std::string choices = "; choose one of: " + NamesOf(controls_, accepts);
    if (control == nullptr) {
      throw PlanArgumentError("unknown control '" + action.control + "' for " + option + choices);
    }
    throw PlanArgumentError(option + " cannot act on " + action.control + ", " +
                            std::string(KindOf(*control)) + choices);
  }

  Step ResolveSet(const PlanAction& action) const {
    Control& control = Target(action, IsSettable);
    const std::string& value = action.value;
    if (auto* list = ControlAs<ComboBox>(control)) {
      const int index = list->IndexOf(value);
      if (index == ComboBox::kNoSelection) {
        throw PlanArgumentError("'" + value + "' is not an item of " + list->Name() +
                                "; items: " + Join(list->Items()));
      }
      return [list, index] { list->SetSelectedIndex(index); };
    }
    if (auto* check = ControlAs<CheckBox>(control)) {
      if (value != "0" && value != "1") {
        throw PlanArgumentError("'" + value + "' is not a value of " + check->Name() +
                                "; choose 0 or 1");
      }
      const int checked = value == "1" ? 1 : 0;
      return [check, checked] { check->SetValue(checked); };
    }
    auto& box = *ControlAs<TextBox>(control);
    if (!DecodeUtf8(value)) {
      throw PlanArgumentError("the text for " + box.Name() + " is not valid UTF-8");
    }
    return [&box, value] { box.SetText(value); };
  }

  Step ResolveSelect(const PlanAction& action) const {
    auto& list = *ControlAs<ComboBox>(Target(action, IsList));
    const std::string& value = action.value;
    const std::string range =
        std::to_string(ComboBox::kNoSelection) + " to " + std::to_string(list.ItemCount() - 1);
    int index = 0;
    const char* end = value.data() + value.size();
    const auto [parsedTo, error] = std::from_chars(value.data(), end, index);
    if (error != std::errc() || parsedTo != end) {
      throw PlanArgumentError("'" + value + "' is not an index of " + list.Name() + ": " + range);
    }
    if (index < ComboBox::kNoSelection || index >= list.ItemCount()) {
      throw PlanArgumentError("index " + value + " is out of range for " + list.Name() + ": " +
                              range);
    }
    return [&list, index] { list.SetSelectedIndex(index); };
  }

  Step ResolveType(const PlanAction& action) const {
    auto& box = *ControlAs<TextBox>(Target(action, IsInputBox));
    std::vector<std::int16_t> codes;
    try {
      codes = KeyCodesForTyping(action.value);
    } catch (const PlanArgumentError& error) {
      throw PlanArgumentError("--type " + box.Name() + ": " + error.what());
    }
    return [&box, codes = std::move(codes)] {
      for (const std::int16_t code : codes) box.TypeKeyAtEnd(code);
    };
  }

  Step ResolveClick(const PlanAction& action) const {
    const auto* button = controls_.Find<CommandButton>(action.control);
    if (button != nullptr && !button->HasClickHandler()) {
      throw PlanArgumentError(action.control + " is not available yet; choose one of: " +
                              NamesOf(controls_, IsAvailableButton));
    }
    auto& available = *ControlAs<CommandButton>(Target(action, IsAvailableButton));
    return [&available] { available.Click(); };
  }

  MainWindowControls& controls_;
};

// Throws PlanArgumentError for the first action that cannot be carried out.
std::vector<Step> ResolveActions(const std::vector<PlanAction>& actions,
                                 MainWindowControls& controls) {
  const ActionResolver resolver(controls);
  std::vector<Step> steps;
  bool windowClosed = false;
  for (const PlanAction& action : actions) {
    if (windowClosed) {
      throw PlanArgumentError(Describe(action) + " comes after --click " + controls.cmdExit.Name() +
                              ", which closes the window; nothing can follow it");
    }
    steps.push_back(resolver.Resolve(action));
    windowClosed = action.verb == PlanVerb::kClick && action.control == controls.cmdExit.Name();
  }
  return steps;
}

}  // namespace

std::optional<std::string> ValidateActions(const std::vector<PlanAction>& actions,
                                           MainWindowControls& controls) {
  try {
    ResolveActions(actions, controls);
    return std::nullopt;
  } catch (const PlanArgumentError& error) {
    return error.what();
  }
}

void ApplyActions(const std::vector<PlanAction>& actions, MainWindowControls& controls) {
  for (const Step& step : ResolveActions(actions, controls)) step();
}

std::string ControlsHelp(const MainWindowControls& controls) {
  // Buttons by kind: the model alone has no click handlers yet, the loaded window has one for
  // each button.
  return "Controls:\n" + ControlsHelpLines(controls, "lists", IsList) +
         ControlsHelpLines(controls, "input boxes", IsInputBox) +
         ControlsHelpLines(controls, "check boxes", IsCheckBox) +
         ControlsHelpLines(controls, "buttons", IsButton);
}

}  // namespace tarnwick
