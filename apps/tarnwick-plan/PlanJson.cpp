#include "apps/tarnwick-plan/PlanJson.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

namespace tarnwick {
namespace {

using Json = nlohmann::ordered_json;

Json ControlJson(const Control& control) {
  switch (control.Kind()) {
    case ControlKind::kComboBox: {
      const auto& list = *ControlAs<ComboBox>(control);
      return {{"text", list.SelectedText()}, {"index", list.SelectedIndex()}};
    }
    case ControlKind::kTextBox: {
      const auto& box = *ControlAs<TextBox>(control);
      return {{"text", box.Text()}, {"color", box.TextColor()}};
    }
    case ControlKind::kCheckBox:
      return {{"text", std::to_string(ControlAs<CheckBox>(control)->Value())}};
    case ControlKind::kLabel:
      return {{"text", ControlAs<Label>(control)->Caption()}};
    case ControlKind::kCommandButton:
      return {{"text", ControlAs<CommandButton>(control)->Caption()}};
    case ControlKind::kWindow:
      return {{"text", ControlAs<Window>(control)->Caption()}};
    case ControlKind::kFrame:
    case ControlKind::kPicture:
      break;
  }
  throw std::logic_error("no JSON form for the control " + control.Name());
}

Json MessageJson(const MessageBoxContent& message) {
  return {
      {"text", message.text}, {"title", message.title}, {"style", static_cast<int>(message.style)}};
}

}  // namespace

std::string PlanJson(const MainWindowControls& controls,
                     const std::vector<MessageBoxContent>& messages,
                     const std::vector<std::string>& openedUrls) {
  Json controlsJson = Json::object();
  for (const Control* control : controls.All()) {
    controlsJson[control->Name()] = ControlJson(*control);
  }
  Json messagesJson = Json::array();
  for (const MessageBoxContent& message : messages) messagesJson.push_back(MessageJson(message));
  const Json report{{"controls", std::move(controlsJson)},
                    {"messages", std::move(messagesJson)},
                    {"opened", openedUrls}};
  // Every text is UTF-8 already; replacing a stray invalid byte beats failing the whole report.
  return report.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace tarnwick
