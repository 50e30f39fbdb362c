#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "ui/win32/AccessibleAnnotations.h"

namespace tarnwick {

// Keeps the annotations the window makes, for the tests to read as an assistive tool would have
// them (Wine takes none).
class RecordingAnnotations final : public AccessibleAnnotations {
 public:
  void SetName(HWND control, const std::wstring& name) override { names_[control] = name; }
  void SetDescription(HWND control, const std::wstring& description) override {
    if (description.empty()) {
      descriptions_.erase(control);
    } else {
      descriptions_[control] = description;
    }
  }

  std::optional<std::wstring> NameOf(HWND control) const { return Find(names_, control); }
  std::optional<std::wstring> DescriptionOf(HWND control) const {
    return Find(descriptions_, control);
  }

 private:
  static std::optional<std::wstring> Find(const std::map<HWND, std::wstring>& annotations,
                                          HWND control) {
    const auto found = annotations.find(control);
    if (found == annotations.end()) return std::nullopt;
    return found->second;
  }

  std::map<HWND, std::wstring> names_;
  std::map<HWND, std::wstring> descriptions_;
};

}  // namespace tarnwick
