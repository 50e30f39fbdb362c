#include "ui/win32/Win32SettingsStore.h"

#include "ui/win32/WideText.h"

namespace tarnwick {
namespace {

// Closes an open registry key when it goes.
class OpenKey {
 public:
  OpenKey() = default;
  ~OpenKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  HKEY* Receiver() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

Win32SettingsStore::Win32SettingsStore(HKEY root, std::wstring base)
    : root_(root), base_(std::move(base)) {}

std::wstring Win32SettingsStore::KeyPath(std::string_view application,
                                         std::string_view section) const {
  return base_ + L"\\" + Widen(application) + L"\\" + Widen(section);
}

std::string Win32SettingsStore::Read(std::string_view application, std::string_view section,
                                     std::string_view key, std::string_view defaultValue) {
  OpenKey opened;
  if (RegOpenKeyExW(root_, KeyPath(application, section).c_str(), 0, KEY_QUERY_VALUE,
                    opened.Receiver()) != ERROR_SUCCESS) {
    return std::string(defaultValue);
  }
  // Room for the longest value, its terminating zero and one character more, to tell a value
  // that is too long.
  std::wstring value(kLongestValue + 2, L'\0');
  DWORD type = 0;
  DWORD bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  const LSTATUS status = RegQueryValueExW(opened.Get(), Widen(key).c_str(), nullptr, &type,
                                          reinterpret_cast<BYTE*>(value.data()), &bytes);
  if (status != ERROR_SUCCESS || type != REG_SZ) return std::string(defaultValue);
  value.resize(bytes / sizeof(wchar_t));
  // REG_SZ data usually, but not always, ends in a zero.
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  if (value.size() > kLongestValue) return std::string(defaultValue);
  return Narrow(value);
}

void Win32SettingsStore::Write(std::string_view application, std::string_view section,
                               std::string_view key, std::string_view value) {
  OpenKey created;
  if (RegCreateKeyExW(root_, KeyPath(application, section).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, created.Receiver(),
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  const std::wstring text = Widen(value);
  RegSetValueExW(created.Get(), Widen(key).c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace tarnwick
