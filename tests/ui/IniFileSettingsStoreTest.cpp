#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/IniFileSettingsStore.h"
#include "ui/MessageBoxPresenter.h"
#include "ui/SettingsSaving.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "tests/shared/SmallDisk.h"
#endif

namespace tarnwick {
namespace {

std::string Contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

class IniFileSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory =
        std::filesystem::temp_directory_path() /
        ("tarnwick-store-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(directory);
  }
  void TearDown() override { std::filesystem::remove_all(directory); }
  std::string Ini() const { return (directory / "Tarnwick.conf").string(); }
  void Put(const std::string& text) const { std::ofstream(Ini(), std::ios::binary) << text; }
  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
  std::vector<std::filesystem::path> SetAside() const {
    std::vector<std::filesystem::path> copies;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
      if (entry.path().filename().string().starts_with("Tarnwick.conf.corrupt-")) {
        copies.push_back(entry.path());
      }
    }
    return copies;
  }

  std::filesystem::path directory;
};

TEST_F(IniFileSettingsStoreTest, ValuesSurviveTheFileAndAbsentKeysGiveTheDefault) {
  const std::vector<std::string> texts{"",
                                       "1, 2 ;x=\"y\"",
                                       "453.592292196897",
                                       " lead",
                                       "trail ",
                                       "@Variant(\\0\\0)",
                                       "@@x",
                                       "\"\n\",@x",
                                       "x\r\t\a\x01"
                                       "ab",
                                       "\\x41",
                                       std::string("1\0@7", 4),
                                       "\xC3\xA9"};
  {
    IniFileSettingsStore store("Tarnwick", Ini());
    for (std::size_t index = 0; index < texts.size(); ++index) {
      store.Write("Tarnwick", "Settings", "Key" + std::to_string(index), texts[index]);
    }
    EXPECT_TRUE(store.Save());
  }
  IniFileSettingsStore reopened("Tarnwick", Ini());
  EXPECT_FALSE(reopened.SetAsideNotice()) << Contents(Ini());
  for (std::size_t index = 0; index < texts.size(); ++index) {
    EXPECT_EQ(reopened.Read("Tarnwick", "Settings", "Key" + std::to_string(index), "none"),
              texts[index]);
  }
  EXPECT_EQ(reopened.Read("Tarnwick", "Settings", "Temp", "75"), "75");
  EXPECT_EQ(reopened.Read("Tarnwick", "Other", "Key0", "none"), "none");
  EXPECT_EQ(FileNames(), std::vector<std::string>{"Tarnwick.conf"}) << "no file left behind";
}

// The file as QSettings wrote these texts (Qt 6.4) reads back as they were, and the store
// writes the same bytes for them; the plain lines of Windows' profile calls read as written.
TEST_F(IniFileSettingsStoreTest, ReadsAndWritesTheFilesOfEarlierVersions) {
  const std::string written =
      "[Settings]\nK00=a b\nK01=\" lead\"\nK02=\"x,y\"\nK03=q\\\"q\nK04=back\\\\slash\n"
      "K05=nl\\nx\nK06=ctrl\\x1z\nK07=\\x1\\x61\\x62\\x39g\nK08=\xC3\xA9 \xE2\x82\xAC\n"
      "K09=@@at\nK10=\nK11=\"1, 2 ;x=\\\"y\\\"\"\nK12=@String(x\\0y)\nK13=\"  \"\n";
  const std::vector<std::string> texts{"a b",
                                       " lead",
                                       "x,y",
                                       "q\"q",
                                       "back\\slash",
                                       "nl\nx",
                                       "ctrl\x01z",
                                       "\x01"
                                       "ab9g",
                                       "\xC3\xA9 \xE2\x82\xAC",
                                       "@at",
                                       "",
                                       "1, 2 ;x=\"y\"",
                                       std::string("x\0y", 3),
                                       "  "};
  Put(written);
  {
    IniFileSettingsStore store("Tarnwick", Ini());
    EXPECT_FALSE(store.SetAsideNotice());
    for (std::size_t index = 0; index < texts.size(); ++index) {
      const std::string key = (index < 10 ? "K0" : "K1") + std::to_string(index % 10);
      EXPECT_EQ(store.Read("Tarnwick", "Settings", key, "none"), texts[index]) << key;
    }
  }
  std::filesystem::remove(Ini());
  IniFileSettingsStore fresh("Tarnwick", Ini());
  for (std::size_t index = 0; index < texts.size(); ++index) {
    const std::string key = (index < 10 ? "K0" : "K1") + std::to_string(index % 10);
    fresh.Write("Tarnwick", "Settings", key, texts[index]);
  }
  ASSERT_TRUE(fresh.Save());
  EXPECT_EQ(Contents(Ini()), written);

  Put("\xEF\xBB\xBF[Settings]\r\nUnits=1\r\nHeadwind=-12\r\nPayload=453.59\r\n\r\n[Other]\r\nA="
      "b\r\n");
  IniFileSettingsStore profile("Tarnwick", Ini());
  EXPECT_FALSE(profile.SetAsideNotice());
  EXPECT_EQ(profile.Read("Tarnwick", "Settings", "Units", "0"), "1");
  EXPECT_EQ(profile.Read("Tarnwick", "Settings", "Headwind", "0"), "-12");
  EXPECT_EQ(profile.Read("Tarnwick", "Settings", "Payload", "0"), "453.59");
  EXPECT_EQ(profile.Read("Tarnwick", "Other", "A", "none"), "b");
  Put("[Settings]\nHeadwind = 1, 2\n");
  EXPECT_EQ(IniFileSettingsStore("Tarnwick", Ini()).Read("Tarnwick", "Settings", "Headwind", "0"),
            "1, 2")
      << "a hand-typed list reads as its text";
}

// A line the store cannot use is never dropped unseen: the file is copied as it was, the
// notice names both files, what could be read is kept, and the next save writes the rest
// only. Values QSettings would decode from binary, however escaped, are never read.
TEST_F(IniFileSettingsStoreTest, UnusableLinesAreCopiedAsideWithTheFile) {
  const std::vector<std::string> files{
      "[Settings]\nUnits=0\ngarbage line\nTemp=3\n",
      "[Settings]\nUnits=0\nk\"ey=1\nTemp=3\n",
      "[Settings]\nUnits=0\nTemp=3\n[broken\nPayload=9\n",
      "[Settings]\nUnits=0\nTemp=3\n=x\n",
      "[Settings]\nUnits=0\nTemp=3;comment\nTemp=3\n",
      "[Settings]\nUnits=0\nTemp=3\nPayload=\"open\n",
      "[Settings]\nUnits=0\nTemp=3\nPayload=\xFF\xFE\n",
      "[Settings]\nUnits=0\nTemp=3\nPayload=@Variant(\\0\\0\\0\\v2\\0\\0\\0\\x5)\n",
      "[Settings]\rUnits=0\rTemp=3\rPayload=\\\r\n\"\\x40\\x56\\x61riant(\\0)\"\r\n",
      "[Settings]\nUnits=0\nTemp=3\nPayload=1,@DateTime(\\0)\n"};
  for (const std::string& text : files) {
    Put(text);
    {
      IniFileSettingsStore store("Tarnwick", Ini());
      ASSERT_TRUE(store.SetAsideNotice()) << text;
      const std::vector<std::filesystem::path> copies = SetAside();
      ASSERT_EQ(copies.size(), 1u) << text;
      EXPECT_EQ(Contents(copies[0]), text);
      const bool serialised =
          text.find("riant(") != std::string::npos || text.find("@DateTime(") != std::string::npos;
      EXPECT_EQ(
          *store.SetAsideNotice(),
          "the settings file " + store.Location() +
              (serialised ? " held values this program does not write" : " could not be read") +
              "; it was copied to " + copies[0].string() + " and a new one is written");
      EXPECT_EQ(store.Read("Tarnwick", "Settings", "Units", "1"), "0") << text;
      EXPECT_EQ(store.Read("Tarnwick", "Settings", "Temp", "9"), "3") << text;
      EXPECT_EQ(store.Read("Tarnwick", "Settings", "Payload", "none"), "none") << text;
      EXPECT_EQ(Contents(Ini()), text) << "the file itself is only replaced by a save";
      EXPECT_TRUE(store.Save());
      std::filesystem::remove(copies[0]);
    }
    EXPECT_EQ(Contents(Ini()), "[Settings]\nTemp=3\nUnits=0\n") << text;
  }
}

// A file system of its own that fails every write, for a copy aside that cannot be made.
class FailingFiles final : public SettingsFiles {
 public:
  explicit FailingFiles(std::string contents) : contents_(std::move(contents)) {}
  FileReading Read(const std::string& /*path*/) override {
    return {FileReading::Outcome::kRead, contents_, {}};
  }
  FileWriting Write(const std::string& /*path*/, std::string_view /*contents*/,
                    bool /*replace*/) override {
    return {FileWriting::Outcome::kFailed, "the folder /x is read-only"};
  }

 private:
  std::string contents_;
};

TEST_F(IniFileSettingsStoreTest, FileThatCannotBeCopiedAsideIsNeverWrittenOver) {
  IniFileSettingsStore store("Tarnwick", Ini(),
                             std::make_unique<FailingFiles>("[Settings]\nUnits=0\ngarbage\n"));
  ASSERT_TRUE(store.SetAsideNotice());
  EXPECT_EQ(*store.SetAsideNotice(), "the settings file " + store.Location() +
                                         " could not be read and could not be copied aside (the "
                                         "folder /x is read-only); it is left as it is");
  EXPECT_EQ(store.Read("Tarnwick", "Settings", "Units", "1"), "0");
  EXPECT_FALSE(store.Save()) << "even with nothing changed, the unusable line is not dropped";
  EXPECT_EQ(store.WriteFailureReason(),
            "the file could not be read and could not be copied aside (the folder /x is "
            "read-only)");
}

TEST_F(IniFileSettingsStoreTest, FailedWriteIsShownWithThePlaceAndTheReason) {
  std::ofstream(directory / "plain-file") << "x";
  const std::filesystem::path inPlainFile = directory / "plain-file" / "Tarnwick.conf";
  IniFileSettingsStore store("Tarnwick", inPlainFile.string());
  store.Write("Tarnwick", "Settings", "Units", "1");
  MessageRecorder messages;
  EXPECT_FALSE(SaveOrShowFailure(store, messages));
  ASSERT_EQ(messages.Shown().size(), 1u);
  EXPECT_EQ(messages.Shown()[0].text,
            "The settings could not be written to " + inPlainFile.string() + ": " +
                (directory / "plain-file").string() + " is not a folder.");
  EXPECT_EQ(messages.Shown()[0].title, "Tarnwick");
  EXPECT_EQ(messages.Shown()[0].style, MessageBoxStyle::kExclamation);

  std::filesystem::create_directory(Ini());
  IniFileSettingsStore blocked("Tarnwick", Ini());
  blocked.Write("Tarnwick", "Settings", "Units", "1");
  EXPECT_FALSE(SaveOrShowFailure(blocked, messages));
  EXPECT_EQ(blocked.WriteFailureReason(), "a folder of that name is in the way");

  IniFileSettingsStore fine("Tarnwick", (directory / "new folder" / "fine.conf").string());
  fine.Write("Tarnwick", "Settings", "Units", "1");
  EXPECT_TRUE(SaveOrShowFailure(fine, messages)) << "a missing folder is made";
  EXPECT_EQ(messages.Shown().size(), 2u) << "nothing shown for a good write";
}

#ifdef _WIN32
// Another program holding the file open without letting it be replaced makes the rename fail:
// the file keeps its old contents, and no new file is left beside it.
TEST_F(IniFileSettingsStoreTest, FileThatCannotBeReplacedStaysAsItWas) {
  const std::string old = "[Settings]\nUnits=0\n";
  Put(old);
  IniFileSettingsStore store("Tarnwick", Ini());
  store.Write("Tarnwick", "Settings", "Units", "1");
  const HANDLE held = CreateFileW(std::filesystem::path(Ini()).wstring().c_str(), GENERIC_READ,
                                  FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(store.Save());
  CloseHandle(held);
  EXPECT_NE(store.WriteFailureReason(), "");
  EXPECT_EQ(Contents(Ini()), old);
  EXPECT_EQ(FileNames(), std::vector<std::string>{"Tarnwick.conf"});
  EXPECT_TRUE(store.Save()) << "once the file is free again";
  EXPECT_EQ(IniFileSettingsStore("Tarnwick", Ini()).Read("Tarnwick", "Settings", "Units", "x"),
            "1");
}
#else
// On a full disk the file is never emptied or cut short: a save that cannot write the whole
// new file leaves the old one byte for byte, and so does a file with a serialised value that
// cannot be copied aside; both say why.
TEST_F(IniFileSettingsStoreTest, FullDiskLeavesTheFileAsItWas) {
  const SmallDisk disk(directory);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
  const std::string clean = "[Settings]\nUnits=0\nPayload=1000\n";
  const std::string serialised =
      "[Settings]\nUnits=0\nPayload=@Variant(\\0\\0\\0\\v2\\0\\0\\0\\x5)\n";
  std::ofstream(directory / "clean.conf", std::ios::binary) << clean;
  std::ofstream(directory / "serialised.conf", std::ios::binary) << serialised;
  disk.Fill();

  IniFileSettingsStore store("Tarnwick", (directory / "clean.conf").string());
  store.Write("Tarnwick", "Settings", "Payload", std::string(3000, '7'));
  EXPECT_FALSE(store.Save());
  EXPECT_EQ(store.WriteFailureReason(), "the disk is full");
  EXPECT_EQ(Contents(directory / "clean.conf"), clean);

  IniFileSettingsStore aside("Tarnwick", (directory / "serialised.conf").string());
  ASSERT_TRUE(aside.SetAsideNotice());
  EXPECT_NE(aside.SetAsideNotice()->find("could not be copied aside (the disk is full)"),
            std::string::npos)
      << *aside.SetAsideNotice();
  EXPECT_FALSE(aside.Save());
  EXPECT_EQ(Contents(directory / "serialised.conf"), serialised);
  const std::vector<std::string> names = FileNames();
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()),
            (std::set<std::string>{"clean.conf", "serialised.conf", "filler", "filler-bytes"}))
      << "no new file is left behind";
}
#endif

TEST_F(IniFileSettingsStoreTest, BelongsToOneApplication) {
  IniFileSettingsStore store("Tarnwick", Ini());
  EXPECT_THROW(store.Read("Other", "Settings", "Units", "1"), std::invalid_argument);
  EXPECT_THROW(store.Write("Other", "Settings", "Units", "1"), std::invalid_argument);
}

}  // namespace
}  // namespace tarnwick
