#pragma once

#include <string>
#include <vector>

#include "ui/MainWindowControls.h"
#include "ui/MessageBoxPresenter.h"

namespace tarnwick {

// The plan as a load sheet for a person: the inputs, the weights and fuel with each figure
// the window shows in red marked "<< over limit", the tank split, the takeoff speeds, the
// icing setting, the messages shown and, when there are any, the URLs handed to the system to
// open. Control characters in the texts are left out.
std::string PlanSheet(const MainWindowControls& controls,
                      const std::vector<MessageBoxContent>& messages,
                      const std::vector<std::string>& openedUrls);

}  // namespace tarnwick
