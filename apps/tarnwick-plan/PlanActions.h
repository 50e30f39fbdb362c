#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/tarnwick-plan/PlanAction.h"
#include "ui/MainWindowControls.h"

namespace tarnwick {

// Checks every action against the loaded window before any is applied: the message of the
// first one that cannot be carried out, or nothing when all can. Nothing is changed. The pick
// lists do not change while actions run, so a check made after loading holds for the whole run.
std::optional<std::string> ValidateActions(const std::vector<PlanAction>& actions,
                                           MainWindowControls& controls);

// Carries out the actions in order, each as the user would. Applies none of them, and throws
// PlanArgumentError, when ValidateActions would have refused them.
void ApplyActions(const std::vector<PlanAction>& actions, MainWindowControls& controls);

// The help's list of the controls the actions take, from the window model: its lists, input
// boxes, check boxes and buttons, each kind on lines of at most 94 columns.
std::string ControlsHelp(const MainWindowControls& controls);

}  // namespace tarnwick
