#include "commands/PrintCommand.h"

#include "print/OpenUrl.h"
#include "print/PrintUrl.h"

namespace tarnwick {

void WirePrintCommand(MainWindowControls& controls, UrlOpener& opener, std::string webSiteBase) {
  controls.cmdPrint.SetClickHandler([&controls, &opener, base = std::move(webSiteBase)] {
    OpenURL(PrintUrl(controls, base), opener);
  });
}

}  // namespace tarnwick
