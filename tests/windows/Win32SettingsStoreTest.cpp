// The registry settings store on the real registry (Windows or Wine), under a key of the test's
// own that is removed afterwards.
#include <gtest/gtest.h>
#include <process.h>

#include <string>

#include "ui/win32/Win32IniSettingsStore.h"
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

// The INI file of tarnwick-plan.exe --store, in the current folder.
TEST(Win32IniSettingsStore, KeepsTheSettingsSectionInTheFileAndFallsBackToDefaults) {
  const std::string path = "tarnwick-store-test-" + std::to_string(_getpid()) + ".ini";
  {
    Win32IniSettingsStore store(path);
    EXPECT_EQ(store.Read("Tarnwick", "Settings", "Units", "1"), "1");
    store.Write("Tarnwick", "Settings", "Units", "0");
    store.Write("Tarnwick", "Settings", "Headwind", "");
    store.Write("Tarnwick", "Settings", "Payload",
                std::string(Win32IniSettingsStore::kLongestValue + 1, '7'));
    EXPECT_TRUE(store.AllWritten());
  }
  Win32IniSettingsStore again(path);
  EXPECT_EQ(again.Read("Tarnwick", "Settings", "Units", "1"), "0");
  EXPECT_EQ(again.Read("Tarnwick", "Settings", "Headwind", "0"), "");
  EXPECT_EQ(again.Read("Tarnwick", "Settings", "Payload", "0"), "0");
  EXPECT_EQ(again.Read("Tarnwick", "Other", "Units", "1"), "1");
  DeleteFileA(path.c_str());

  Win32IniSettingsStore unwritable("Z:\\no such folder\\tarnwick.ini");
  unwritable.Write("Tarnwick", "Settings", "Units", "0");
  EXPECT_FALSE(unwritable.AllWritten());
}

}  // namespace
}  // namespace tarnwick
