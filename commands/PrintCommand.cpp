#include "commands/PrintCommand.h"

#include "print/OpenUrl.h"
#include "print/PrintUrl.h"

namespace tarnwick {
namespace {

constexpr std::string_view kPrintTitle = "Print";

}  // namespace

std::string SiteNotServedText(const SiteNotServed& failure) {
  if (failure.addressTaken) {
    return "The print page cannot be shown: another program already uses " + failure.address +
           ", where Tarnwick serves it.\r\nClose that program (or stop its web server), then "
           "click Print again.";
  }
  return "The print page cannot be shown: Tarnwick cannot serve it at " + failure.address + " (" +
         failure.reason + ").\r\nClick Print again once that is resolved.";
}

std::string BrowserNotOpenedText(const std::string& url) {
  return "The web browser could not be opened. To print the plan, open this address in a "
         "browser:\r\n" +
         url;
}

void WirePrintCommand(MainWindowControls& controls, PrintServices services,
                      std::string webSiteBase) {
  controls.cmdPrint.SetClickHandler([&controls, services, base = std::move(webSiteBase)] {
    if (const std::optional<SiteNotServed> failure = services.site.EnsureServing()) {
      services.messages.Show(SiteNotServedText(*failure), kPrintTitle,
                             MessageBoxStyle::kExclamation);
      return;
    }
    const std::string url = services.site.HandOver(PrintUrl(controls, base));
    if (!OpenURL(url, services.opener)) {
      services.messages.Show(BrowserNotOpenedText(url), kPrintTitle, MessageBoxStyle::kExclamation);
    }
  });
}

}  // namespace tarnwick
