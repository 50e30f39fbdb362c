// An arbitrary INI file as the settings store, read through QSettings as the window reads the
// user's file. The window must load from it exactly as from an in-memory store holding the
// texts QSettings answered, with the same properties as fuzz-settings-restore; after the
// unload writes the file back, a fresh store on it must restore the same window. Once the store
// has opened the file, no value in it may be one that QSettings decodes from binary, whatever
// its length.
#include <fcntl.h>
#include <sys/stat.h>

#include <QSettings>
#include <QString>
#include <QVariant>
#include <algorithm>
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

// A folder of this process's own, removed when it ends. In memory where there is /dev/shm:
// QSettings flushes every file it writes to the disk, which would make the disk the bottleneck.
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

  // The file for the next input, with a modification time of its own: QSettings keeps the
  // files it has read in a cache by name and reads one again only when its size or its
  // modification time changed. (A new name for each input would grow that cache without end.)
  //
  // The folder is emptied first: an unreadable file is moved aside as
  // "Tarnwick.conf.corrupt-<time>[-n]", and left there those copies would pile up by the
  // million in a long run, and change what the next input does (after 100 in one second the
  // store reports that it could not move the file aside).
  std::string NextFile(const std::uint8_t* data, std::size_t size) {
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      std::filesystem::remove(entry.path());
    }
    const std::string path = (path_ / "Tarnwick.conf").string();
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close();
    Require(static_cast<bool>(file), "the INI file can be written");
    Touch(path);
    return path;
  }
  // Gives the file a modification time it never had, so that QSettings reads it again.
  void Touch(const std::string& path) {
    ++touches_;
    const timespec times[2] = {{.tv_sec = touches_, .tv_nsec = 0},
                               {.tv_sec = touches_, .tv_nsec = 0}};
    Require(utimensat(AT_FDCWD, path.c_str(), times, 0) == 0, "the INI file's time can be set");
  }

 private:
  std::filesystem::path path_;
  time_t touches_ = 0;
};

// True for what QSettings makes of a value written as text: a string, a list, or the harmless
// forms it reads from "@ByteArray(...)", "@Rect(...)", "@Size(...)", "@Point(...)" and
// "@Invalid()". Anything else was decoded from binary ("@Variant(...)", "@DateTime(...)").
bool IsReadAsText(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::QByteArray:
    case QMetaType::QRect:
    case QMetaType::QSize:
    case QMetaType::QPoint:
      return true;
    case QMetaType::QVariantList:
      return std::ranges::all_of(value.toList(), IsReadAsText);
    default:
      return false;
  }
}

// Every key of every section, as QSettings reads the file now that the store has opened it.
void CheckNothingDecodedFromBinary(const std::string& path) {
  QSettings file(QString::fromStdString(path), QSettings::IniFormat);
  for (const QString& key : file.allKeys()) {
    if (key.isEmpty()) continue;  // "=x": parsed with the rest, but QSettings gives no value for it
    Require(IsReadAsText(file.value(key)),
            "no value of the opened settings file is decoded from binary");
  }
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  static ScratchFolder scratch;
  const std::string path = scratch.NextFile(data, size);
  const NumberFormat numberFormat{.groupSeparator = ",", .decimalSeparator = "."};
  const std::string application(kSettingsApplication);

  QtSettingsStore store(application, path);
  CheckNothingDecodedFromBinary(path);
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
  scratch.Touch(path);  // read back from the file, not from QSettings' cache
  QtSettingsStore reopened(application, path);
  WindowOnStore restored(reopened, numberFormat);
  CheckLoadedWindow(restored, ReadStoredTexts(reopened));
  CheckRestoredAsSaved(window.Controls(), restored.Controls(), recalculated);
  return 0;
}
