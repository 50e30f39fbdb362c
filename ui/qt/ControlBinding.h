#pragma once

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarnwick {

class CheckBox;
class ComboBox;
class CommandButton;
class Control;
class Label;
class TextBox;

// Each binding shows the control's state in its widget at once and keeps it there through the
// control's state observer, and turns the user's actions on the widget into the control's
// events. A program write reaches the widget without coming back as a user action, so no
// event is raised twice. The control must outlive the widget or be unbound first.
void BindTextBox(TextBox& box, QLineEdit& edit);
void BindComboBox(ComboBox& list, QComboBox& combo);
void BindCheckBox(CheckBox& check, QCheckBox& widget);
void BindLabel(Label& label, QLabel& widget);
void BindCommandButton(CommandButton& button, QPushButton& widget);

// Stops mirroring the control in its widget.
void Unbind(Control& control);

}  // namespace tarnwick
