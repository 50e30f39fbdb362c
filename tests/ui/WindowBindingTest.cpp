#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/WindowBinding.h"

namespace tarnwick {
namespace {

TEST(WindowBindingTest, EachRowGetsTheModelsControlOrNoneWhereTheWindowAloneHasIt) {
  MainWindowControls controls;
  EXPECT_EQ(ModelControlFor(controls, *FindControlLayout("txtPayload")), &controls.txtPayload);
  EXPECT_EQ(&ModelControlAs<ComboBox>(controls, *FindControlLayout("cboUnits")),
            &controls.cboUnits);
  EXPECT_EQ(ModelControlFor(controls, *FindControlLayout("Label1")), nullptr);
  EXPECT_EQ(ModelControlFor(controls, *FindControlLayout("Frame1")), nullptr);
  for (const ControlLayout& row : MainWindowLayout()) {
    EXPECT_NO_THROW(ModelControlFor(controls, row)) << row.name;
  }
}

TEST(WindowBindingTest, ARowWhoseControlTheModelLacksOrHasAsAnotherKindIsRefused) {
  MainWindowControls controls;
  const ControlLayout missing{.name = "txtNoSuchBox", .kind = ControlKind::kTextBox};
  EXPECT_THROW(ModelControlFor(controls, missing), std::logic_error);
  const ControlLayout otherKind{.name = "txtPayload", .kind = ControlKind::kComboBox};
  EXPECT_THROW(ModelControlFor(controls, otherKind), std::logic_error);
  const ControlLayout caption{.name = "cboUnits", .kind = ControlKind::kLabel};
  EXPECT_THROW(ModelControlFor(controls, caption), std::logic_error);
  EXPECT_THROW(ModelControlAs<TextBox>(controls, *FindControlLayout("Label1")), std::logic_error);
}

TEST(WindowBindingTest, TheCloseBoxUnloadsTheWindowOnce) {
  MainWindowControls controls;
  int unloads = 0;
  controls.frmMain.SetUnloadHandler([&unloads] { ++unloads; });
  controls.frmMain.Show();
  EXPECT_TRUE(UnloadByCloseBox(controls.frmMain));
  EXPECT_TRUE(controls.frmMain.IsUnloaded());
  EXPECT_FALSE(UnloadByCloseBox(controls.frmMain));
  EXPECT_EQ(unloads, 1);
}

}  // namespace
}  // namespace tarnwick
