#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/platform/QtSettingsStore.h"

namespace tarnwick {
namespace {

class QtSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory =
        std::filesystem::temp_directory_path() /
        ("tarnwick-store-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(directory);
  }
  void TearDown() override { std::filesystem::remove_all(directory); }
  std::string Ini() const { return (directory / "Tarnwick.ini").string(); }

  std::filesystem::path directory;
};

TEST_F(QtSettingsStoreTest, ValuesSurviveTheFileAndAbsentKeysGiveTheDefault) {
  {
    QtSettingsStore store("Tarnwick", Ini());
    store.Write("Tarnwick", "Settings", "Headwind", "");
    store.Write("Tarnwick", "Settings", "HeadwindAlt", "1, 2 ;x=\"y\"");
    store.Write("Tarnwick", "Settings", "Payload", "453.592292196897");
    EXPECT_TRUE(store.Sync());
  }
  QtSettingsStore reopened("Tarnwick", Ini());
  EXPECT_EQ(reopened.Read("Tarnwick", "Settings", "Headwind", "0"), "");
  EXPECT_EQ(reopened.Read("Tarnwick", "Settings", "HeadwindAlt", "0"), "1, 2 ;x=\"y\"");
  EXPECT_EQ(reopened.Read("Tarnwick", "Settings", "Payload", "0"), "453.592292196897");
  EXPECT_EQ(reopened.Read("Tarnwick", "Settings", "Temp", "75"), "75");
  EXPECT_EQ(reopened.Read("Tarnwick", "Other", "Payload", "none"), "none");
}

TEST_F(QtSettingsStoreTest, HandEditedListValueReadsAsItsText) {
  std::ofstream(Ini()) << "[Settings]\nHeadwind=1, 2\n";
  QtSettingsStore store("Tarnwick", Ini());
  EXPECT_EQ(store.Read("Tarnwick", "Settings", "Headwind", "0"), "1, 2");
}

// Lines QSettings cannot parse (a key without "=", a byte-order mark before the first section)
// leave a format error from reading, yet the keys are written all the same.
TEST_F(QtSettingsStoreTest, HandEditedFileWithStrayLinesIsWrittenAndSaysSo) {
  const std::map<std::string, std::string> files{
      {"KeyWithoutValue.ini", "[Settings]\nUnits=0\nIcing\n"},
      {"ByteOrderMark.ini", "\xEF\xBB\xBF[Settings]\r\nUnits=0\r\nPayload=1000\r\n"}};
  for (const auto& [name, text] : files) {
    const std::string path = (directory / name).string();
    std::ofstream(path, std::ios::binary) << text;
    {
      QtSettingsStore store("Tarnwick", path);
      EXPECT_EQ(store.Read("Tarnwick", "Settings", "Units", "1"), "0") << name;
      store.Write("Tarnwick", "Settings", "Units", "1");
      EXPECT_TRUE(store.Sync()) << name;
    }
    EXPECT_EQ(QtSettingsStore("Tarnwick", path).Read("Tarnwick", "Settings", "Units", "x"), "1")
        << name;
  }
}

TEST_F(QtSettingsStoreTest, ReportsAFileItCannotWrite) {
  std::ofstream(directory / "plain-file") << "x";
  QtSettingsStore store("Tarnwick", (directory / "plain-file" / "Tarnwick.ini").string());
  store.Write("Tarnwick", "Settings", "Units", "1");
  EXPECT_FALSE(store.Sync());
}

TEST_F(QtSettingsStoreTest, UnreadableFileGoesAsideAndTheNextSaveWritesACleanOne) {
  const std::string garbage = "[Settings]\nUnits=0\n\xff\xfe\x01\n[broken\n";
  std::ofstream(Ini(), std::ios::binary) << garbage;
  {
    QtSettingsStore store("Tarnwick", Ini());
    ASSERT_TRUE(store.SetAsideNotice());
    EXPECT_NE(store.SetAsideNotice()->find(Ini() + " could not be read; it was moved to " + Ini() +
                                           ".corrupt-"),
              std::string::npos)
        << *store.SetAsideNotice();
    EXPECT_EQ(store.Read("Tarnwick", "Settings", "Units", "1"), "0") << "what could be read";
    EXPECT_EQ(store.Read("Tarnwick", "Settings", "Temp", "75"), "75");
    store.Write("Tarnwick", "Settings", "Temp", "70");
    EXPECT_TRUE(store.Sync());
  }
  std::vector<std::filesystem::path> setAside;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    if (entry.path().filename().string().starts_with("Tarnwick.ini.corrupt-")) {
      setAside.push_back(entry.path());
    }
  }
  ASSERT_EQ(setAside.size(), 1u);
  std::ifstream kept(setAside[0], std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), garbage);

  QtSettingsStore reopened("Tarnwick", Ini());
  EXPECT_FALSE(reopened.SetAsideNotice()) << "the new file reads cleanly";
  EXPECT_EQ(reopened.Read("Tarnwick", "Settings", "Units", "1"), "0");
  EXPECT_EQ(reopened.Read("Tarnwick", "Settings", "Temp", "75"), "70");
  EXPECT_TRUE(reopened.Sync());
}

// QSettings decodes "@Variant(...)" from binary while it reads the file, and this one claims a
// length that made it allocate over 2 GB. Such values, plain or spelt with escapes, never come
// from the program: the file goes aside untouched and every other line is kept. A text with a
// NUL in it, which QSettings itself writes as "@String(...)", reads back as it was.
TEST_F(QtSettingsStoreTest, SerialisedValuesAreSetAsideBeforeTheFileIsRead) {
  const std::string hostile =
      std::string("[Settings]\nUnits=0\nPayload=@Variant(\\0\\0\\0\\v2\\0") +
      "\\0\\0\\x5)\nTemp=\"\\x40\\x56\\x61riant(\\0\\0\\0\\v2)\"\nTaxiFuel=150\n";
  std::ofstream(Ini(), std::ios::binary) << hostile;
  {
    QtSettingsStore store("Tarnwick", Ini());
    ASSERT_TRUE(store.SetAsideNotice());
    EXPECT_NE(store.SetAsideNotice()->find(" held values this program does not write; it was "
                                           "moved to " +
                                           Ini() + ".corrupt-"),
              std::string::npos)
        << *store.SetAsideNotice();
    EXPECT_EQ(store.Read("Tarnwick", "Settings", "Units", "1"), "0");
    EXPECT_EQ(store.Read("Tarnwick", "Settings", "TaxiFuel", "0"), "150");
    EXPECT_EQ(store.Read("Tarnwick", "Settings", "Payload", "none"), "none");
    EXPECT_EQ(store.Read("Tarnwick", "Settings", "Temp", "none"), "none");
    EXPECT_TRUE(store.Sync());
  }
  int setAside = 0;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    if (!entry.path().filename().string().starts_with("Tarnwick.ini.corrupt-")) continue;
    ++setAside;
    std::ifstream kept(entry.path(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), hostile);
  }
  EXPECT_EQ(setAside, 1);
  EXPECT_FALSE(QtSettingsStore("Tarnwick", Ini()).SetAsideNotice()) << "the new file is clean";

  const std::string withNul("1\0@x", 4);
  {
    QtSettingsStore store("Tarnwick", Ini());
    store.Write("Tarnwick", "Settings", "Headwind", withNul);
    EXPECT_TRUE(store.Sync());
  }
  QtSettingsStore reopened("Tarnwick", Ini());
  EXPECT_FALSE(reopened.SetAsideNotice());
  EXPECT_EQ(reopened.Read("Tarnwick", "Settings", "Headwind", "none"), withNul);
}

// Shapes in which QSettings still reads a line's value as a serialised one (an int here, which
// a missed line would read back as): lines that end in "\r", a value carried on to the next
// line by a backslash, escapes that QSettings drops ("\x" without a digit, "\q"), a quoted line
// break before a list's next item, and a quote around the "=" of a key.
TEST_F(QtSettingsStoreTest, SerialisedValuesAreFoundAsQSettingsReadsTheLines) {
  const std::string serialised = "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0\\x5)";
  const std::map<std::string, std::string> files{
      {"CarriageReturns.ini", "[Settings]\rUnits=0\rPayload=" + serialised + "\r"},
      {"ContinuedLine.ini", "[Settings]\nUnits=0\nPayload=\\\n" + serialised + "\n"},
      {"ContinuedWindowsLine.ini", "[Settings]\r\nUnits=0\r\nPayload=\\\r\n" + serialised + "\r\n"},
      {"HexEscapeWithoutDigits.ini", "[Settings]\nUnits=0\nPayload=\\x" + serialised + "\n"},
      {"UnknownEscape.ini", "[Settings]\nUnits=0\nPayload=\\q" + serialised + "\n"},
      {"QuotedLineBreak.ini", "[Settings]\nUnits=0\nPayload=\"\n\"," + serialised + "\n"},
      {"CommentEndedByCarriageReturn.ini", "[Settings]\nUnits=0\n;x\rPayload=" + serialised},
      {"QuotedEqualsInTheKey.ini", "[Settings]\nUnits=0\nPay\"=\"load=" + serialised + "\n"}};
  for (const auto& [name, text] : files) {
    const std::string path = (directory / name).string();
    std::ofstream(path, std::ios::binary) << text;
    QtSettingsStore store("Tarnwick", path);
    EXPECT_TRUE(store.SetAsideNotice()) << name;
    EXPECT_EQ(store.Read("Tarnwick", "Settings", "Payload", "none"), "none") << name;
    EXPECT_EQ(store.Read("Tarnwick", "Settings", "Pay\"=\"load", "none"), "none") << name;
    EXPECT_EQ(store.Read("Tarnwick", "Settings", "Units", "1"), "0") << name;
  }
}

// Texts that look like serialised values, quotes, commas, semicolons and line breaks as the
// program writes them are escaped by QSettings and read back as they were.
TEST_F(QtSettingsStoreTest, TextsThatLookSerialisedAreKeptAsTexts) {
  const std::vector<std::string> texts{"@Variant(\\0\\0)", " @DateTime(1)", "\"\n\",@Variant(",
                                       "a;b=@Variant(",    "x\r@Variant(",  "\\x@Variant(",
                                       "@@Variant("};
  {
    QtSettingsStore store("Tarnwick", Ini());
    for (std::size_t index = 0; index < texts.size(); ++index) {
      store.Write("Tarnwick", "Settings", "Key" + std::to_string(index), texts[index]);
    }
    EXPECT_TRUE(store.Sync());
  }
  QtSettingsStore reopened("Tarnwick", Ini());
  EXPECT_FALSE(reopened.SetAsideNotice());
  for (std::size_t index = 0; index < texts.size(); ++index) {
    EXPECT_EQ(reopened.Read("Tarnwick", "Settings", "Key" + std::to_string(index), "none"),
              texts[index]);
  }
}

TEST_F(QtSettingsStoreTest, FailedWriteIsShownWithThePlaceAndTheReason) {
  std::ofstream(directory / "plain-file") << "x";
  const std::string path = (directory / "plain-file" / "Tarnwick.ini").string();
  QtSettingsStore store("Tarnwick", path);
  store.Write("Tarnwick", "Settings", "Units", "1");
  MessageRecorder messages;
  EXPECT_FALSE(SyncOrShowFailure(store, messages));
  ASSERT_EQ(messages.Shown().size(), 1u);
  EXPECT_EQ(messages.Shown()[0].text, "The settings could not be written to " + path + ": " +
                                          (directory / "plain-file").string() +
                                          " is not a folder.");
  EXPECT_EQ(messages.Shown()[0].title, "Tarnwick");
  EXPECT_EQ(messages.Shown()[0].style, MessageBoxStyle::kExclamation);

  std::filesystem::create_directory(Ini());
  QtSettingsStore blocked("Tarnwick", Ini());
  blocked.Write("Tarnwick", "Settings", "Units", "1");
  EXPECT_FALSE(SyncOrShowFailure(blocked, messages));
  EXPECT_EQ(blocked.WriteFailureReason(), "a folder of that name is in the way");

  QtSettingsStore fine("Tarnwick", (directory / "fine.ini").string());
  fine.Write("Tarnwick", "Settings", "Units", "1");
  EXPECT_TRUE(SyncOrShowFailure(fine, messages));
  EXPECT_EQ(messages.Shown().size(), 2u) << "nothing shown for a good write";
}

TEST_F(QtSettingsStoreTest, BelongsToOneApplication) {
  QtSettingsStore store("Tarnwick", Ini());
  EXPECT_THROW(store.Read("Other", "Settings", "Units", "1"), std::invalid_argument);
  EXPECT_THROW(store.Write("Other", "Settings", "Units", "1"), std::invalid_argument);
}

}  // namespace
}  // namespace tarnwick
