// The registry settings store on the real registry (Windows or Wine), under a key of the test's
// own that is removed afterwards. (The INI file store runs in ui_tests, under Wine too.)
#include <gtest/gtest.h>
#include <process.h>

#include <string>

#include "ui/MessageBoxPresenter.h"
#include "ui/SettingsSaving.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Win32SettingsStore.h"

namespace tarnwick {
namespace {

class Win32SettingsStoreTest : public ::testing::Test {
 protected:
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str()); }

  void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (base_ + L"\\Tarnwick\\Settings").c_str(), 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
    RegCloseKey(key);
  }

  std::wstring base_ = L"Software\\TarnwickStoreTest" + std::to_wstring(_getpid());
  Win32SettingsStore store_{HKEY_CURRENT_USER, base_};
};

TEST_F(Win32SettingsStoreTest, AbsentKeysReadAsTheirDefault) {
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "Units", "1"), "1");
  store_.Write("Tarnwick", "Settings", "Icing", "0");
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "Units", "1"), "1");
}

TEST_F(Win32SettingsStoreTest, WrittenTextsReadBackAsString) {
  store_.Write("Tarnwick", "Settings", "Payload", "5000.7");
  store_.Write("Tarnwick", "Settings", "Headwind", "");
  store_.Write("Tarnwick", "Settings", "Model", "Zürich");
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "Payload", "0"), "5000.7");
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "Headwind", "0"), "");
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "Model", "0"), "Zürich");
  store_.Write("Tarnwick", "Settings", "Payload", "12");
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "Payload", "0"), "12");
}

TEST_F(Win32SettingsStoreTest, ValuesOfAnotherTypeOrTooLongReadAsTheDefault) {
  const DWORD number = 3;
  WriteRaw(L"Units", REG_DWORD, &number, sizeof(number));
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "Units", "1"), "1");
  const std::wstring longest(Win32SettingsStore::kLongestValue, L'7');
  WriteRaw(L"Payload", REG_SZ, longest.c_str(),
           static_cast<DWORD>((longest.size() + 1) * sizeof(wchar_t)));
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "Payload", "0").size(),
            Win32SettingsStore::kLongestValue);
  const std::wstring tooLong(Win32SettingsStore::kLongestValue + 1, L'7');
  WriteRaw(L"Payload", REG_SZ, tooLong.c_str(),
           static_cast<DWORD>((tooLong.size() + 1) * sizeof(wchar_t)));
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "Payload", "0"), "0");
  // A REG_SZ written without its terminating zero still reads as its text.
  WriteRaw(L"Temp", REG_SZ, L"75", 2 * sizeof(wchar_t));
  EXPECT_EQ(store_.Read("Tarnwick", "Settings", "Temp", "0"), "75");
}

// A value the registry refuses (here under a volatile key, which takes no lasting key below it)
// is never dropped silently: Save fails, and the window's warning names the key and the reason
// in the words the Qt window uses for its file.
TEST_F(Win32SettingsStoreTest, RefusedWriteIsReportedBySave) {
  HKEY volatileKey = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, base_.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &volatileKey, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(volatileKey);
  Win32SettingsStore refusing(HKEY_CURRENT_USER, base_);
  refusing.Write("Tarnwick", "Settings", "Units", "0");
  MessageRecorder messages;
  EXPECT_FALSE(SaveOrShowFailure(refusing, messages));
  ASSERT_EQ(messages.Shown().size(), 1u);
  const std::string text = messages.Shown()[0].text;
  const std::string key = "HKEY_CURRENT_USER\\" + Narrow(base_) + "\\Tarnwick\\Settings";
  EXPECT_TRUE(text.starts_with("The settings could not be written to " + key +
                               ": the registry refused the value ("))
      << text;
  EXPECT_EQ(messages.Shown()[0].style, MessageBoxStyle::kExclamation);

  RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
  store_.Write("Tarnwick", "Settings", "Units", "0");
  EXPECT_TRUE(SaveOrShowFailure(store_, messages));
  EXPECT_EQ(messages.Shown().size(), 1u) << "nothing shown when every value was written";
}

}  // namespace
}  // namespace tarnwick
