#pragma once

#include <string>

#include "print/UrlOpener.h"
#include "ui/MainWindowControls.h"

namespace tarnwick {

// Gives cmdPrint its click handler: build the print URL on webSiteBase from what the window
// shows at that moment (no recalculation first) and open it with OpenURL. A refused request
// is ignored and changes nothing. The controls and the opener must outlive the handler.
void WirePrintCommand(MainWindowControls& controls, UrlOpener& opener, std::string webSiteBase);

}  // namespace tarnwick
