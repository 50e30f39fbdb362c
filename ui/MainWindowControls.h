#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/Controls.h"

namespace tarnwick {

// A control of the main window that puts itself on the window's list of controls as it is made,
// so that the list follows the order of declaration without being written out a second time.
template <typename ControlType>
class Enlisted : public ControlType {
 public:
  template <typename... Arguments>
  explicit Enlisted(std::vector<Control*>& list, Arguments&&... arguments)
      : ControlType(std::forward<Arguments>(arguments)...) {
    list.push_back(this);
  }
};

// The fixed items of the wind type lists and of the unit list.
inline std::vector<std::string> WindTypeItems() { return {"Headwind:", "Tailwind:"}; }
inline std::vector<std::string> UnitItems() { return {"Lbs.", "Kgs."}; }

// Every control of the main window that the planner reads or writes, by its name, in the state
// it has when the window is created.
class MainWindowControls {
  // Declared before the controls, which enlist themselves in it as they are made.
  std::vector<Control*> all_;

 public:
  static constexpr int kUnitLabelCount = 19;

  MainWindowControls();
  MainWindowControls(const MainWindowControls&) = delete;
  MainWindowControls& operator=(const MainWindowControls&) = delete;

  Enlisted<Window> frmMain{all_, "frmMain"};

  Enlisted<ComboBox> cboTripDistance{all_, "cboTripDistance"};
  Enlisted<ComboBox> cboCruisingAlt{all_, "cboCruisingAlt"};
  Enlisted<ComboBox> cboWindType{all_, "cboWindType", WindTypeItems()};
  Enlisted<TextBox> txtHeadwind{all_, "txtHeadwind", TextBoxRole::kInput, "0", kBlack};
  Enlisted<ComboBox> cboTemp{all_, "cboTemp"};
  Enlisted<ComboBox> cboAlternateDistance{all_, "cboAlternateDistance"};
  Enlisted<ComboBox> cboCruisingAltAlt{all_, "cboCruisingAltAlt"};
  Enlisted<ComboBox> cboWindTypeAlt{all_, "cboWindTypeAlt", WindTypeItems()};
  Enlisted<TextBox> txtHeadwindAlt{all_, "txtHeadwindAlt", TextBoxRole::kInput, "0", kBlack};

  Enlisted<TextBox> txtPayload{all_, "txtPayload", TextBoxRole::kInput, "0", kBlack};
  Enlisted<TextBox> txtTaxiFuel{all_, "txtTaxiFuel", TextBoxRole::kInput, "0", kBlack};
  Enlisted<TextBox> txtHoldingFuel{all_, "txtHoldingFuel", TextBoxRole::kInput, "0", kBlack};
  Enlisted<TextBox> txtMinimumFuel{all_, "txtMinimumFuel", TextBoxRole::kInput, "0", kBlack};

  Enlisted<TextBox> txtBOW{all_, "txtBOW", TextBoxRole::kDisplay, "0", kBlack};
  Enlisted<TextBox> txtZFW{all_, "txtZFW", TextBoxRole::kDisplay, "0", kBlack};
  Enlisted<TextBox> txtTaxiWeight{all_, "txtTaxiWeight", TextBoxRole::kDisplay, "0", kBlack};
  Enlisted<TextBox> txtGTOW{all_, "txtGTOW", TextBoxRole::kDisplay, "0", kBlack};
  Enlisted<TextBox> txtPLW{all_, "txtPLW", TextBoxRole::kDisplay, "0", kBlack};
  Enlisted<TextBox> txtPLWAlt{all_, "txtPLWAlt", TextBoxRole::kDisplay, "0", kBlack};
  Enlisted<TextBox> txtEnrouteFuel{all_, "txtEnrouteFuel", TextBoxRole::kDisplay, "0", kBlack};
  Enlisted<TextBox> txtAlternateFuel{all_, "txtAlternateFuel", TextBoxRole::kDisplay, "0", kBlack};
  Enlisted<TextBox> txtTotalFuel{all_, "txtTotalFuel", TextBoxRole::kDisplay, "0", kBlack};
  Enlisted<TextBox> txtRightTank{all_, "txtRightTank", TextBoxRole::kDisplay, "0 lbs.", kBlue};
  Enlisted<TextBox> txtLeftTank{all_, "txtLeftTank", TextBoxRole::kDisplay, "0 lbs.", kBlue};

  Enlisted<CheckBox> chkIcing{all_, "chkIcing", "Icing"};
  Enlisted<Label> lblV1{all_, "lblV1", "V1/Vr: 123"};
  Enlisted<Label> lblV2{all_, "lblV2", "V2: 123"};
  Enlisted<Label> lblVfto{all_, "lblVfto", "Vfto: 123"};
  Enlisted<Label> lblVmLB0{all_, "lblVmLB0", "VmLB0: 123"};
  Enlisted<Label> lblVmLB15{all_, "lblVmLB15", "VmLB15: 123"};
  Enlisted<Label> lblVmHB30{all_, "lblVmHB30", "VmHB30: 123"};

  Enlisted<ComboBox> cboUnits{all_, "cboUnits", UnitItems()};
  // Named "lblUnits(0)" to "lblUnits(18)".
  std::array<Enlisted<Label>, kUnitLabelCount> lblUnits;

  Enlisted<CommandButton> cmdOperatingLimits{all_, "cmdOperatingLimits", "Operating Limitations"};
  Enlisted<CommandButton> cmdReadPayload{all_, "cmdReadPayload", "Read Payload Weight"};
  Enlisted<CommandButton> cmdBoardFuel{all_, "cmdBoardFuel", "&Board Fuel"};
  Enlisted<CommandButton> cmdPrint{all_, "cmdPrint", "Print"};
  Enlisted<CommandButton> cmdAbout{all_, "cmdAbout", "About"};
  Enlisted<CommandButton> cmdExit{all_, "cmdExit", "E&xit"};

  // Every control above, in the order declared.
  const std::vector<Control*>& All() const { return all_; }

  // The control of that name and kind, or nullptr; Find<Control> takes any kind.
  template <typename ControlType>
  ControlType* Find(std::string_view name) {
    for (Control* control : all_) {
      if (control->Name() == name) return ControlAs<ControlType>(*control);
    }
    return nullptr;
  }
  template <typename ControlType>
  const ControlType* Find(std::string_view name) const {
    return const_cast<MainWindowControls&>(*this).Find<ControlType>(name);
  }

  // The six boxes the pilot types into.
  std::array<TextBox*, 6> InputBoxes();

  // Every button shows the wait cursor while its click runs: any command may block the window
  // (a simulator exchange for up to 23 s). The cursor must outlive the controls.
  void ShowWaitCursorOnClicks(WaitCursor& cursor);
};

}  // namespace tarnwick
