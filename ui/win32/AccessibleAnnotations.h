#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace tarnwick {

// What assistive tools read for a control where Windows would derive it otherwise or not at all:
// a name in place of the one taken from the caption before the control, and a description.
class AccessibleAnnotations {
 public:
  virtual ~AccessibleAnnotations() = default;

  virtual void SetName(HWND control, const std::wstring& name) = 0;
  // An empty description takes back the one given before.
  virtual void SetDescription(HWND control, const std::wstring& description) = 0;
};

// Dynamic Annotation (IAccPropServices) on this thread's COM apartment, which it joins for as long
// as it lives. Where COM or the service is missing (an old Wine), the annotations are left out
// and the names derived by Windows stand.
std::unique_ptr<AccessibleAnnotations> MakeSystemAccessibleAnnotations();

}  // namespace tarnwick
