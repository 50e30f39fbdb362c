// An arbitrary INI file as the settings store, read as the window reads the user's file. The
// window must load from it exactly as from an in-memory store holding the texts the store
// answered, with the same properties as fuzz-settings-restore; after the unload writes the file
// back, a fresh store on it must read it cleanly (no line set aside) and restore the same
// window. Whatever the input, every section and key the store read must come back from the file
// it wrote, byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "fuzz/FuzzRequire.h"
#include "fuzz/SettingsProperties.h"
#include "fuzz/WindowOnStore.h"
#include "ui/IniFileSettingsStore.h"
#include "ui/IniText.h"
#include "ui/WindowSettings.h"

namespace tarnwick {
namespace {

// A folder of this process's own, removed when it ends. In memory where there is /dev/shm:
// the store flushes every file it writes to the disk, which would make the disk the bottleneck.
class ScratchFolder {
 public:
  ScratchFolder() {
    const std::filesystem::path memory = "/dev/shm";
    const std::filesystem::path parent =
        std::filesystem::is_directory(memory) ? memory : std::filesystem::temp_directory_path();
    std::string pattern = (parent / "fuzz-settings-ini-XXXXXX").string();
    Require(mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The file for the next input. The folder is emptied first: a file with unusable lines is
  // copied aside as "Tarnwick.conf.corrupt-<time>[-n]", and left there those copies would pile
  // up by the million in a long run, and change what the next input does (after 100 in one
  // second the store reports that it could not copy the file aside).
  std::string NextFile(const std::uint8_t* data, std::size_t size) {
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      std::filesystem::remove(entry.path());
    }
    const std::string path = (path_ / "Tarnwick.conf").string();
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close();
    Require(static_cast<bool>(file), "the INI file can be written");
    return path;
  }

 private:
  std::filesystem::path path_;
};

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// The sections as read come back whole from their written text, and the file the store wrote
// after the window's unload holds the other sections as they were read.
void CheckWrittenBack(const IniSections& read, const std::string& path) {
  const IniReading again = ReadIniText(WriteIniText(read));
  Require(again.unusableLines == 0 && again.serialisedLines == 0 && again.sections == read,
          "every value read is written back as it was");
  IniSections saved = ReadIniText(Contents(path)).sections;
  IniSections others = read;
  saved.erase(std::string(kSettingsSection));
  others.erase(std::string(kSettingsSection));
  Require(saved == others, "the save keeps every other section");
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  static ScratchFolder scratch;
  const std::string path = scratch.NextFile(data, size);
  const NumberFormat numberFormat{.groupSeparator = ",", .decimalSeparator = "."};
  const std::string application(kSettingsApplication);

  IniFileSettingsStore store(application, path);
  const IniSections read = ReadIniText(Contents(path)).sections;
  const StoredTexts texts = ReadStoredTexts(store);
  WindowOnStore window(store, numberFormat);
  const bool recalculated = CheckLoadedWindow(window, texts);

  InMemorySettingsStore memory;
  for (const auto& [key, text] : texts) {
    memory.Write(kSettingsApplication, kSettingsSection, key, text);
  }
  WindowOnStore fromMemory(memory, numberFormat);
  // The same texts, so every control the same, whether or not the plan overflowed.
  CheckRestoredAsSaved(window.Controls(), fromMemory.Controls(), true);

  window.Unload();
  Require(store.Save(), "the unload's keys are written to the file");
  IniFileSettingsStore reopened(application, path);
  Require(!reopened.SetAsideNotice(), "the written file reads cleanly");
  CheckWrittenBack(read, path);
  WindowOnStore restored(reopened, numberFormat);
  CheckLoadedWindow(restored, ReadStoredTexts(reopened));
  CheckRestoredAsSaved(window.Controls(), restored.Controls(), recalculated);
  return 0;
}
