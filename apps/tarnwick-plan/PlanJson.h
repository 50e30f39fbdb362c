#pragma once

#include <string>
#include <vector>

#include "ui/MainWindowControls.h"
#include "ui/MessageBoxPresenter.h"

namespace tarnwick {

// The window's state as one JSON object, indented: "controls" holds every control by name in
// window order, {"text"} plus "index" for lists and "color" for text boxes; "messages" holds
// the message boxes shown, in order, as {"text", "title", "style"}; "opened" the URLs handed to
// the system to open, in order.
std::string PlanJson(const MainWindowControls& controls,
                     const std::vector<MessageBoxContent>& messages,
                     const std::vector<std::string>& openedUrls);

}  // namespace tarnwick
