#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "ui/Controls.h"

namespace tarnwick {

// Every control of the main window that the planner reads or writes, by its name, in the state
// it has when the window is created.
class MainWindowControls {
 public:
  static constexpr int kUnitLabelCount = 19;

  MainWindowControls();
  MainWindowControls(const MainWindowControls&) = delete;
  MainWindowControls& operator=(const MainWindowControls&) = delete;

  Window frmMain{"frmMain"};

  ComboBox cboTripDistance{"cboTripDistance", {}};
  ComboBox cboCruisingAlt{"cboCruisingAlt", {}};
  ComboBox cboWindType{"cboWindType", {"Headwind:", "Tailwind:"}};
  TextBox txtHeadwind{"txtHeadwind", TextBoxRole::kInput, "0", kBlack};
  ComboBox cboTemp{"cboTemp", {}};
  ComboBox cboAlternateDistance{"cboAlternateDistance", {}};
  ComboBox cboCruisingAltAlt{"cboCruisingAltAlt", {}};
  ComboBox cboWindTypeAlt{"cboWindTypeAlt", {"Headwind:", "Tailwind:"}};
  TextBox txtHeadwindAlt{"txtHeadwindAlt", TextBoxRole::kInput, "0", kBlack};

  TextBox txtPayload{"txtPayload", TextBoxRole::kInput, "0", kBlack};
  TextBox txtTaxiFuel{"txtTaxiFuel", TextBoxRole::kInput, "0", kBlack};
  TextBox txtHoldingFuel{"txtHoldingFuel", TextBoxRole::kInput, "0", kBlack};
  TextBox txtMinimumFuel{"txtMinimumFuel", TextBoxRole::kInput, "0", kBlack};

  TextBox txtBOW{"txtBOW", TextBoxRole::kDisplay, "0", kBlack};
  TextBox txtZFW{"txtZFW", TextBoxRole::kDisplay, "0", kBlack};
  TextBox txtTaxiWeight{"txtTaxiWeight", TextBoxRole::kDisplay, "0", kBlack};
  TextBox txtGTOW{"txtGTOW", TextBoxRole::kDisplay, "0", kBlack};
  TextBox txtPLW{"txtPLW", TextBoxRole::kDisplay, "0", kBlack};
  TextBox txtPLWAlt{"txtPLWAlt", TextBoxRole::kDisplay, "0", kBlack};
  TextBox txtEnrouteFuel{"txtEnrouteFuel", TextBoxRole::kDisplay, "0", kBlack};
  TextBox txtAlternateFuel{"txtAlternateFuel", TextBoxRole::kDisplay, "0", kBlack};
  TextBox txtTotalFuel{"txtTotalFuel", TextBoxRole::kDisplay, "0", kBlack};
  TextBox txtRightTank{"txtRightTank", TextBoxRole::kDisplay, "0 lbs.", kBlue};
  TextBox txtLeftTank{"txtLeftTank", TextBoxRole::kDisplay, "0 lbs.", kBlue};

  CheckBox chkIcing{"chkIcing", "Icing"};
  Label lblV1{"lblV1", "V1/Vr: 123"};
  Label lblV2{"lblV2", "V2: 123"};
  Label lblVfto{"lblVfto", "Vfto: 123"};
  Label lblVmLB0{"lblVmLB0", "VmLB0: 123"};
  Label lblVmLB15{"lblVmLB15", "VmLB15: 123"};
  Label lblVmHB30{"lblVmHB30", "VmHB30: 123"};

  ComboBox cboUnits{"cboUnits", {"Lbs.", "Kgs."}};
  // Named "lblUnits(0)" to "lblUnits(18)".
  std::array<Label, kUnitLabelCount> lblUnits;

  CommandButton cmdOperatingLimits{"cmdOperatingLimits", "Operating Limitations"};
  CommandButton cmdReadPayload{"cmdReadPayload", "Read Payload Weight"};
  CommandButton cmdBoardFuel{"cmdBoardFuel", "&Board Fuel"};
  CommandButton cmdPrint{"cmdPrint", "Print"};
  CommandButton cmdAbout{"cmdAbout", "About"};
  CommandButton cmdExit{"cmdExit", "E&xit"};

  // Every control above, in the order declared.
  const std::vector<Control*>& All() const { return all_; }

  // The control of that name and kind, or nullptr.
  template <typename Kind>
  Kind* Find(std::string_view name) const {
    for (Control* control : all_) {
      if (control->Name() == name) return dynamic_cast<Kind*>(control);
    }
    return nullptr;
  }

  // The six boxes the pilot types into.
  std::array<TextBox*, 6> InputBoxes();

 private:
  std::vector<Control*> all_;
};

}  // namespace tarnwick
