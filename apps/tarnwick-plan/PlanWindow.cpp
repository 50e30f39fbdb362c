#include "apps/tarnwick-plan/PlanWindow.h"

#include "commands/PrintCommand.h"

namespace tarnwick {

PlanWindow::PlanWindow(SettingsStore& store, const NumberFormat& numberFormat,
                       PlanWindowLinks links)
    : link_(links.ipcPort),
      xplane_(links.xplanePort, links.xplaneSettings),
      window_(state_, {messages_, store, numberFormat, [this] { link_.LinkClose(); }}),
      simulatorCommands_(window_, state_, link_, messages_, &xplane_) {
  simulatorCommands_.WireButtons();
  WirePrintCommand(window_.Controls(), {links.site, links.opener, messages_},
                   std::move(links.webSiteBase));
  window_.Controls().frmMain.Show();
}

}  // namespace tarnwick
