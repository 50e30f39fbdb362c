#include "ui/win32/AccessibleAnnotations.h"

// The property and class GUIDs of oleacc.h are defined here, so that nothing beyond ole32 is
// linked for them.
#include <initguid.h>
#include <oleacc.h>

namespace tarnwick {
namespace {

class AccPropAnnotations final : public AccessibleAnnotations {
 public:
  AccPropAnnotations() {
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    joinedApartment_ = SUCCEEDED(joined);
    void* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, &services))) {
      services_ = static_cast<IAccPropServices*>(services);
    }
  }
  ~AccPropAnnotations() override {
    if (services_ != nullptr) services_->Release();
    if (joinedApartment_) CoUninitialize();
  }
  AccPropAnnotations(const AccPropAnnotations&) = delete;
  AccPropAnnotations& operator=(const AccPropAnnotations&) = delete;

  void SetName(HWND control, const std::wstring& name) override {
    Set(control, PROPID_ACC_NAME, name);
  }
  void SetDescription(HWND control, const std::wstring& description) override {
    Set(control, PROPID_ACC_DESCRIPTION, description);
  }

 private:
  void Set(HWND control, const MSAAPROPID& property, const std::wstring& text) {
    if (services_ == nullptr) return;
    if (text.empty()) {
      MSAAPROPID cleared = property;
      services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &cleared,
                                1);
    } else {
      services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property,
                                text.c_str());
    }
  }

  bool joinedApartment_ = false;
  IAccPropServices* services_ = nullptr;
};

}  // namespace

std::unique_ptr<AccessibleAnnotations> MakeSystemAccessibleAnnotations() {
  return std::make_unique<AccPropAnnotations>();
}

}  // namespace tarnwick
