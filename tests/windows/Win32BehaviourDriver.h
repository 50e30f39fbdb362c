#pragma once

#include <process.h>
#include <windows.h>

#include <memory>
#include <string>

#include "tests/shared/WindowDriver.h"
#include "tests/windows/PlannerRun.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Win32SettingsStore.h"

namespace tarnwick {

// The shared window behaviours' driver for the native window: the planner as tarnwick.exe wires
// it, on a registry store under a key of its own (removed when the driver goes), driven through
// Win32WindowDriver.
class Win32BehaviourDriver final : public WindowDriver {
 public:
  ~Win32BehaviourDriver() override {
    run_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
  }

  void Start() override {
    run_.reset();
    run_ = std::make_unique<PlannerRun>(store_);
  }
  void Close() override { SendMessageW(run_->Window().Handle(), WM_CLOSE, 0, 0); }
  bool IsOpen() const override { return run_->Window().Handle() != nullptr; }

  void TypeKeys(std::string_view name, std::string_view text) override {
    Driver().TypeKeys(name, text);
  }
  void PressKey(DriverKey key) override {
    switch (key) {
      case DriverKey::kTab:
        return Driver().PressKey(VK_TAB);
      case DriverKey::kShiftTab:
        return Driver().PressKey(VK_TAB, /*shift=*/true);
      case DriverKey::kHome:
        return Driver().PressKey(VK_HOME);
      case DriverKey::kEnd:
        return Driver().PressKey(VK_END);
      case DriverKey::kLeft:
        return Driver().PressKey(VK_LEFT);
      case DriverKey::kShiftLeft:
        return Driver().PressKey(VK_LEFT, /*shift=*/true);
      case DriverKey::kRight:
        return Driver().PressKey(VK_RIGHT);
      case DriverKey::kDelete:
        return Driver().PressKey(VK_DELETE);
    }
  }
  void PressAltKey(char letter) override { Driver().PressAltKey(letter); }
  void Pick(std::string_view name, int index) override { Driver().PickIndex(name, index); }
  void Paste(std::string_view name, std::string_view text) override { Driver().Paste(name, text); }
  void Click(std::string_view name) override { Driver().Click(name); }
  MessageBoxContent ClickAndCloseMessageBox(std::string_view button) override {
    return tarnwick::ClickAndCloseMessageBox(Driver(), button);
  }

  std::string ShownText(std::string_view name) const override {
    return run_->Driver().ShownText(name);
  }
  WindowsColor TextColour(std::string_view name) const override {
    return run_->Driver().TextColour(name);
  }
  bool IsChecked(std::string_view name) const override {
    return SendMessageW(run_->Window().ControlHandle(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  // The window's annotation where it made one, else what Windows derives.
  std::string AccessibleName(std::string_view name) const override {
    const HWND control = run_->Window().ControlHandle(name);
    const auto annotated = run_->Annotations().NameOf(control);
    return annotated ? Narrow(*annotated) : MsaaName(control);
  }
  std::string AccessibleDescription(std::string_view name) const override {
    const HWND control = run_->Window().ControlHandle(name);
    const auto annotated = run_->Annotations().DescriptionOf(control);
    return annotated ? Narrow(*annotated) : MsaaDescription(control);
  }
  std::string FocusedName() const override { return run_->Driver().FocusedName(); }

 private:
  Win32WindowDriver& Driver() { return run_->Driver(); }

  std::wstring base_ = L"Software\\TarnwickBehaviours" + std::to_wstring(_getpid());
  Win32SettingsStore store_{HKEY_CURRENT_USER, base_};
  std::unique_ptr<PlannerRun> run_;
};

}  // namespace tarnwick
