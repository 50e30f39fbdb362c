#include "ui/MainWindowControls.h"

#include <string>
#include <utility>

namespace tarnwick {
namespace {

template <std::size_t... I>
std::array<Label, sizeof...(I)> MakeUnitLabels(std::index_sequence<I...>) {
  return {Label("lblUnits(" + std::to_string(I) + ")", "lbs.")...};
}

}  // namespace

MainWindowControls::MainWindowControls()
    : lblUnits(MakeUnitLabels(std::make_index_sequence<kUnitLabelCount>())) {
  all_ = {&frmMain,
          &cboTripDistance,
          &cboCruisingAlt,
          &cboWindType,
          &txtHeadwind,
          &cboTemp,
          &cboAlternateDistance,
          &cboCruisingAltAlt,
          &cboWindTypeAlt,
          &txtHeadwindAlt,
          &txtPayload,
          &txtTaxiFuel,
          &txtHoldingFuel,
          &txtMinimumFuel,
          &txtBOW,
          &txtZFW,
          &txtTaxiWeight,
          &txtGTOW,
          &txtPLW,
          &txtPLWAlt,
          &txtEnrouteFuel,
          &txtAlternateFuel,
          &txtTotalFuel,
          &txtRightTank,
          &txtLeftTank,
          &chkIcing,
          &lblV1,
          &lblV2,
          &lblVfto,
          &lblVmLB0,
          &lblVmLB15,
          &lblVmHB30,
          &cboUnits};
  for (Label& label : lblUnits) all_.push_back(&label);
  for (Control* button :
       {&cmdOperatingLimits, &cmdReadPayload, &cmdBoardFuel, &cmdPrint, &cmdAbout, &cmdExit}) {
    all_.push_back(button);
  }
}

std::array<TextBox*, 6> MainWindowControls::InputBoxes() {
  return {&txtHeadwind, &txtHeadwindAlt, &txtPayload,
          &txtTaxiFuel, &txtHoldingFuel, &txtMinimumFuel};
}

}  // namespace tarnwick
