#include "apps/platform/WiredMainWindow.h"

#include "commands/PrintCommand.h"

namespace tarnwick {

WiredMainWindow::WiredMainWindow(SettingsStore& store, MessageBoxPresenter& messages,
                                 const NumberFormat& numberFormat, MainWindowLinks links)
    : link_(links.ipcPort),
      xplane_(links.xplanePort, links.xplaneSettings),
      window_(state_, {messages, store, numberFormat, [this] { link_.LinkClose(); }}),
      simulatorCommands_(window_, state_, link_, messages, &xplane_) {
  simulatorCommands_.WireButtons();
  WirePrintCommand(window_.Controls(), {links.site, links.opener, messages},
                   std::move(links.webSiteBase));
}

}  // namespace tarnwick
