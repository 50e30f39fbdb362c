// An arbitrary INI file as the settings store, read through QSettings as the window reads the
// user's file. The window must load from it exactly as from an in-memory store holding the
// texts QSettings answered, with the same properties as fuzz-settings-restore; after the
// unload writes the file back, a fresh store on it must restore the same window.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/FuzzRequire.h"
#include "fuzz/SettingsProperties.h"
#include "fuzz/WindowOnStore.h"
#include "ui/WindowSettings.h"
#include "ui/platform/QtSettingsStore.h"

namespace tarnwick {
namespace {

// A folder of this process's own, removed when it ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "fuzz-settings-ini-XXXXXX").string();
    Require(mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // A new file name for each input: QSettings keeps files it has read in a cache by name.
  std::string NextFile() {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directory(path_);
    return (path_ / ("Tarnwick-" + std::to_string(++files_) + ".conf")).string();
  }

 private:
  std::filesystem::path path_;
  unsigned long files_ = 0;
};

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  Require(static_cast<bool>(file), "the INI file can be written");
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  static ScratchFolder scratch;
  const std::string path = scratch.NextFile();
  WriteFile(path, data, size);
  const NumberFormat numberFormat{.groupSeparator = ",", .decimalSeparator = "."};
  const std::string application(kSettingsApplication);

  QtSettingsStore store(application, path);
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
  Require(store.Sync(), "the unload's keys are written to the file");
  QtSettingsStore reopened(application, path);
  WindowOnStore restored(reopened, numberFormat);
  CheckLoadedWindow(restored, ReadStoredTexts(reopened));
  CheckRestoredAsSaved(window.Controls(), restored.Controls(), recalculated);
  return 0;
}
