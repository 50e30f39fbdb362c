#pragma once

#include <QWidget>
#include <map>
#include <string_view>

#include "ui/MainWindowControls.h"
#include "ui/WindowLayout.h"

namespace tarnwick {

// The planner's main window on the screen: one widget for every row of the window layout, named
// after its control, each control of the window model bound to its widget. Showing the model's
// window (frmMain.Show) loads and shows this one; unloading the model closes it, and closing it
// by its close box unloads the model. The controls must outlive this window.
class PlannerWindow final : public QWidget {
 public:
  explicit PlannerWindow(MainWindowControls& controls, QWidget* parent = nullptr);
  ~PlannerWindow() override;
  PlannerWindow(const PlannerWindow&) = delete;
  PlannerWindow& operator=(const PlannerWindow&) = delete;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void AddControl(const ControlLayout& layout);
  QWidget* MakeWidget(const ControlLayout& layout, QWidget& container);
  QWidget* MakeLabel(const ControlLayout& layout, QWidget& container);
  QWidget* MakeTextBox(const ControlLayout& layout, QWidget& container);
  QWidget* MakeComboBox(const ControlLayout& layout, QWidget& container);
  QWidget* MakeCheckBox(const ControlLayout& layout, QWidget& container);
  QWidget* MakeCommandButton(const ControlLayout& layout, QWidget& container);
  void ChainTabOrder();
  void NameForAssistiveTools();
  void ShowWindowState();

  MainWindowControls& controls_;
  std::map<std::string_view, QWidget*> widgets_;
  QWidget* firstTabStop_ = nullptr;
};

}  // namespace tarnwick
