#pragma once

#include <string>

#include "print/SiteHost.h"
#include "print/UrlOpener.h"
#include "ui/MainWindowControls.h"
#include "ui/MessageBoxPresenter.h"

namespace tarnwick {

// What Print needs besides the window: the site that must answer at the URL, the system's way
// of opening it, and the message box for what went wrong.
struct PrintServices {
  SiteHost& site;
  UrlOpener& opener;
  MessageBoxPresenter& messages;
};

// Gives cmdPrint its click handler: build the print URL on webSiteBase from what the window
// shows at that moment (no recalculation first), make sure the site answers there, and open the
// URL the site hands over (see SiteHost::HandOver) with OpenURL. When the site cannot be served
// (its port taken by another program, say) the browser is not sent there and a message box (style
// 48) names the address and what to do; when the system refuses to open the URL, a message box
// (style 48) gives it to copy by hand. The controls and the services must outlive the handler.
void WirePrintCommand(MainWindowControls& controls, PrintServices services,
                      std::string webSiteBase);

// The message texts, for the headless planner and the tests.
std::string SiteNotServedText(const SiteNotServed& failure);
std::string BrowserNotOpenedText(const std::string& url);

}  // namespace tarnwick
