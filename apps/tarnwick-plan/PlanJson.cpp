#include "apps/tarnwick-plan/PlanJson.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

namespace tarnwick {
namespace {

using Json = nlohmann::ordered_json;

Json ControlJson(const Control& control) {
  if (const auto* list = dynamic_cast<const ComboBox*>(&control)) {
    return {{"text", list->SelectedText()}, {"index", list->SelectedIndex()}};
  }
  if (const auto* box = dynamic_cast<const TextBox*>(&control)) {
    return {{"text", box->Text()}, {"color", box->TextColor()}};
  }
  if (const auto* check = dynamic_cast<const CheckBox*>(&control)) {
    return {{"text", std::to_string(check->Value())}};
  }
  if (const auto* label = dynamic_cast<const Label*>(&control)) {
    return {{"text", label->Caption()}};
  }
  if (const auto* button = dynamic_cast<const CommandButton*>(&control)) {
    return {{"text", button->Caption()}};
  }
  if (const auto* window = dynamic_cast<const Window*>(&control)) {
    return {{"text", window->Caption()}};
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
