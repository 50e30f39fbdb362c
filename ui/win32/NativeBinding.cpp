#include "ui/win32/NativeBinding.h"

#include "ui/LimitDescription.h"
#include "ui/ShownItems.h"
#include "ui/win32/WideText.h"

namespace tarnwick {
namespace {

// The combo box's items, as last put into it.
class ComboItems final : public ShownItems {
 public:
  explicit ComboItems(NativeControl& combo) : combo_(combo) {}
  std::size_t Count() const override { return combo_.shownItems.size(); }
  bool Shows(std::size_t index, const std::string& item) const override {
    return combo_.shownItems[index] == item;
  }
  void RemoveLast() override {
    combo_.shownItems.pop_back();
    SendMessageW(combo_.handle, CB_DELETESTRING, combo_.shownItems.size(), 0);
  }
  void Append(const std::string& item) override {
    SendMessageW(combo_.handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    combo_.shownItems.push_back(item);
  }

 private:
  NativeControl& combo_;
};

void ShowText(HWND control, const std::string& text) {
  const std::wstring wide = Widen(text);
  if (ShownText(control) != wide) SetWindowTextW(control, wide.c_str());
}

void ShowTextBox(const TextBox& box, NativeControl& native, AccessibleAnnotations& annotations) {
  ShowText(native.handle, box.Text());
  if (box.TextColor() != native.shownColour) {
    native.shownColour = box.TextColor();
    // The colour is asked for again (WM_CTLCOLOR*) when the box is drawn.
    InvalidateRect(native.handle, nullptr, TRUE);
  }
  const std::string_view description = LimitDescription(box.TextColor());
  if (description != native.toldDescription) {
    annotations.SetDescription(native.handle, Widen(description));
    native.toldDescription = description;
  }
}

void ShowComboBox(const ComboBox& list, NativeControl& native) {
  ComboItems items(native);
  ShowItems(list.Items(), items);
  if (SendMessageW(native.handle, CB_GETCURSEL, 0, 0) != list.SelectedIndex()) {
    SendMessageW(native.handle, CB_SETCURSEL, static_cast<WPARAM>(list.SelectedIndex()), 0);
  }
}

}  // namespace

// The model's control is of the row's kind (ModelControlFor): each case takes it as that kind.
void ShowModelState(NativeControl& native, AccessibleAnnotations& annotations) {
  if (native.handle == nullptr || native.model == nullptr) return;
  switch (native.layout->kind) {
    case ControlKind::kTextBox:
      ShowTextBox(static_cast<const TextBox&>(*native.model), native, annotations);
      break;
    case ControlKind::kComboBox:
      ShowComboBox(static_cast<const ComboBox&>(*native.model), native);
      break;
    case ControlKind::kCheckBox:
      SendMessageW(
          native.handle, BM_SETCHECK,
          static_cast<const CheckBox&>(*native.model).Value() != 0 ? BST_CHECKED : BST_UNCHECKED,
          0);
      break;
    case ControlKind::kLabel:
      ShowText(native.handle, static_cast<const Label&>(*native.model).Caption());
      break;
    case ControlKind::kCommandButton:  // a button's caption never changes
    case ControlKind::kFrame:
    case ControlKind::kPicture:
    case ControlKind::kWindow:
      break;
  }
}

void TakeUserAction(NativeControl& native, int notification) {
  if (native.model == nullptr) return;
  switch (native.layout->kind) {
    case ControlKind::kTextBox:
      if (auto& box = static_cast<TextBox&>(*native.model);
          notification == EN_CHANGE && box.IsInput()) {
        box.SetText(Narrow(ShownText(native.handle)));
      }
      break;
    case ControlKind::kComboBox:
      if (notification == CBN_SELCHANGE) {
        static_cast<ComboBox&>(*native.model)
            .SetSelectedIndex(static_cast<int>(SendMessageW(native.handle, CB_GETCURSEL, 0, 0)));
      }
      break;
    case ControlKind::kCheckBox:
      if (notification == BN_CLICKED) {
        static_cast<CheckBox&>(*native.model)
            .SetValue(SendMessageW(native.handle, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
      }
      break;
    case ControlKind::kCommandButton:
      if (notification == BN_CLICKED) static_cast<CommandButton&>(*native.model).Click();
      break;
    case ControlKind::kLabel:
    case ControlKind::kFrame:
    case ControlKind::kPicture:
    case ControlKind::kWindow:
      break;
  }
}

}  // namespace tarnwick
