#pragma once

#include <windows.h>

#include "ui/MessageBoxPresenter.h"

namespace tarnwick {

// The model's message boxes as MessageBoxW, owned by the planner's window once it has one. The
// model's style numbers are Windows' own (MB_OK with MB_ICONHAND, MB_ICONEXCLAMATION or
// MB_ICONASTERISK), and CR LF breaks the lines.
class Win32MessageBoxPresenter final : public MessageBoxPresenter {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void Show(std::string_view text, std::string_view title, MessageBoxStyle style) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace tarnwick
