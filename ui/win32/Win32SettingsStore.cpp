#include "ui/win32/Win32SettingsStore.h"

#include <string>
#include <utility>

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
  const LSTATUS opened =
      RegCreateKeyExW(root_, KeyPath(application, section).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, created.Receiver(), nullptr);
  if (opened != ERROR_SUCCESS) {
    Refused(application, section, opened);
    return;
  }
  const std::wstring text = Widen(value);
  const LSTATUS set = RegSetValueExW(created.Get(), Widen(key).c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  if (set != ERROR_SUCCESS) Refused(application, section, set);
}

void Win32SettingsStore::Refused(std::string_view application, std::string_view section,
                                 LSTATUS status) {
  if (refusal_) return;
  refusal_ = status;
  refusedKey_ = KeyPath(application, section);
}

bool Win32SettingsStore::Save() {
  lastRefusal_ = std::exchange(refusal_, std::nullopt);
  lastRefusedKey_ = std::exchange(refusedKey_, std::wstring());
  return !lastRefusal_;
}

std::string Win32SettingsStore::Location() const {
  const std::string root = root_ == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : "the registry";
  return root + "\\" + Narrow(lastRefusal_ ? lastRefusedKey_ : base_);
}

std::string Win32SettingsStore::WriteFailureReason() const {
  if (!lastRefusal_) return {};
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(*lastRefusal_), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring sentence(text != nullptr ? text : L"", length);
  LocalFree(text);
  while (!sentence.empty() && (sentence.back() == L'\n' || sentence.back() == L'\r' ||
                               sentence.back() == L'.' || sentence.back() == L' ')) {
    sentence.pop_back();
  }
  const std::string code = "error " + std::to_string(*lastRefusal_);
  return "the registry refused the value (" + (sentence.empty() ? code : Narrow(sentence)) + ")";
}

}  // namespace tarnwick
