#include "ui/MainWindow.h"

#include <string>

#include "core/WeightUnits.h"
#include "ui/BuildConfig.h"
#include "ui/InformationMessages.h"
#include "ui/PickLists.h"
#include "ui/ProgramInfo.h"
#include "ui/WindowSettings.h"

namespace tarnwick {

std::int16_t FilterDigitKey(std::int16_t keyCode) {
  const bool isDigit = keyCode >= '0' && keyCode <= '9';
  return isDigit || keyCode == kBackspaceKey ? keyCode : std::int16_t{0};
}

void SetUnitCaptions(MainWindowControls& controls, std::string_view caption) {
  for (Label& label : controls.lblUnits) label.SetCaption(std::string(caption));
}

MainWindow::MainWindow(ProgramState& state, MainWindowServices services)
    : state_(state), services_(std::move(services)) {
  WireEvents();
}

void MainWindow::WireEvents() {
  MainWindowControls& c = controls_;
  const auto recalculate = [this] { Recalculate(); };
  for (ComboBox* list : {&c.cboTripDistance, &c.cboCruisingAlt, &c.cboWindType, &c.cboTemp,
                         &c.cboAlternateDistance, &c.cboCruisingAltAlt, &c.cboWindTypeAlt}) {
    list->SetClickHandler(recalculate);
  }
  c.chkIcing.SetClickHandler(recalculate);
  for (TextBox* box : c.InputBoxes()) {
    box->SetChangeHandler(recalculate);
    box->SetKeyPressHandler([](std::int16_t& keyCode) { keyCode = FilterDigitKey(keyCode); });
  }
  c.cboUnits.SetClickHandler([this] { OnUnitsClick(); });
  c.cmdExit.SetClickHandler([this] { controls_.frmMain.Unload(); });
  c.cmdOperatingLimits.SetClickHandler([this] { ShowOperatingLimitations(); });
  c.cmdAbout.SetClickHandler([this] { ShowAbout(); });
  c.frmMain.SetLoadHandler([this] { LoadWindow(); });
  c.frmMain.SetUnloadHandler([this] { UnloadWindow(); });
}

void MainWindow::OnUnitsClick() {
  SetUnitCaptions(controls_, UnitCaption(controls_.cboUnits.SelectedIndex()));
  Recalculate();
}

void MainWindow::LoadWindow() {
  suppressRecalc_ = true;
  controls_.frmMain.SetCaption(std::string(kProgramName));
  state_.simConnected = false;
  FillPickLists(controls_);
  state_.model = RestoreWindowSettings(controls_, services_.settings, services_.numberFormat);
  suppressRecalc_ = false;
  ShowBOW();
  Recalculate();
}

void MainWindow::UnloadWindow() {
  if (services_.closeSimulatorLink) services_.closeSimulatorLink();
  SaveWindowSettings(controls_, services_.settings, state_.plan, state_.model);
}

void MainWindow::ShowOperatingLimitations() {
  const MessageBoxContent message = OperatingLimitationsMessage(
      state_.models.At(state_.model), controls_.cboUnits.SelectedIndex(),
      services_.numberFormat.groupSeparator);
  services_.messages.Show(message.text, message.title, message.style);
}

void MainWindow::ShowAbout() {
  const MessageBoxContent message = AboutMessage(kProgramVersion, kBuildAuthor, WebSiteBase());
  services_.messages.Show(message.text, message.title, message.style);
}

}  // namespace tarnwick
