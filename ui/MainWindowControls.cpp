#include "ui/MainWindowControls.h"

#include <string>
#include <utility>

namespace tarnwick {
namespace {

template <std::size_t... I>
std::array<Enlisted<Label>, sizeof...(I)> MakeUnitLabels(std::vector<Control*>& list,
                                                         std::index_sequence<I...>) {
  return {Enlisted<Label>(list, "lblUnits(" + std::to_string(I) + ")", "lbs.")...};
}

}  // namespace

MainWindowControls::MainWindowControls()
    : lblUnits(MakeUnitLabels(all_, std::make_index_sequence<kUnitLabelCount>())) {}

std::array<TextBox*, 6> MainWindowControls::InputBoxes() {
  return {&txtHeadwind, &txtHeadwindAlt, &txtPayload,
          &txtTaxiFuel, &txtHoldingFuel, &txtMinimumFuel};
}

void MainWindowControls::ShowWaitCursorOnClicks(WaitCursor& cursor) {
  for (Control* control : all_) {
    if (auto* button = ControlAs<CommandButton>(*control)) button->SetWaitCursor(&cursor);
  }
}

}  // namespace tarnwick
