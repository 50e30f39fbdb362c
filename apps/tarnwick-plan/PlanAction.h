#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

enum class PlanVerb { kSet, kSelect, kType, kClick };

// One thing the user does to a named control, as given on the command line.
struct PlanAction {
  PlanVerb verb;
  std::string control;
  // The item text, index, text or keys; empty for a click.
  std::string value;
};

// The command-line option that asks for the verb, such as "--set".
constexpr std::string_view OptionName(PlanVerb verb) {
  switch (verb) {
    case PlanVerb::kSet:
      return "--set";
    case PlanVerb::kSelect:
      return "--select";
    case PlanVerb::kType:
      return "--type";
    case PlanVerb::kClick:
      return "--click";
  }
  return "";
}

}  // namespace tarnwick
