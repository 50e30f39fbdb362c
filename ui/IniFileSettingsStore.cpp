#include "ui/IniFileSettingsStore.h"

#include <ctime>
#include <stdexcept>
#include <string>
#include <utility>

namespace tarnwick {
namespace {

// The copy's name: "<file>.corrupt-" and the local date and time.
std::string SetAsideStem(const std::string& path) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char stamp[32] = {};
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
  return path + ".corrupt-" + stamp;
}

}  // namespace

IniFileSettingsStore::IniFileSettingsStore(std::string application, const std::string& path)
    : IniFileSettingsStore(std::move(application), path, MakeSystemSettingsFiles()) {}

IniFileSettingsStore::IniFileSettingsStore(std::string application, const std::string& path,
                                           std::unique_ptr<SettingsFiles> files)
    : application_(std::move(application)),
      path_(FullSettingsPath(path)),
      files_(std::move(files)) {
  Load();
}

void IniFileSettingsStore::Load() {
  const FileReading file = files_->Read(path_);
  if (file.outcome == FileReading::Outcome::kUnreadable) {
    setAsideNotice_ = "the settings file " + path_ + " could not be read (" + file.failure +
                      "); it is left as it is and the defaults apply";
    mustNotWrite_ = "the file could not be read (" + file.failure + ")";
    return;
  }
  IniReading reading = ReadIniText(file.contents);
  sections_ = std::move(reading.sections);
  if (reading.unusableLines > 0 || reading.serialisedLines > 0) SetAside(file.contents, reading);
}

// Copies the file under a name of its own, never over another file; the next Save writes the
// readable values alone.
void IniFileSettingsStore::SetAside(const std::string& contents, const IniReading& reading) {
  const std::string stem = SetAsideStem(path_);
  constexpr int kMostTries = 100;
  FileWriting copy{FileWriting::Outcome::kExists, {}};
  std::string aside;
  for (int attempt = 1; attempt <= kMostTries && copy.outcome == FileWriting::Outcome::kExists;
       ++attempt) {
    aside = attempt == 1 ? stem : stem + "-" + std::to_string(attempt);
    copy = files_->Write(aside, contents, false);
  }
  const std::string file = "the settings file " + path_;
  if (copy.outcome != FileWriting::Outcome::kDone) {
    const std::string why = copy.outcome == FileWriting::Outcome::kExists
                                ? "every name for the copy is taken"
                                : copy.failure;
    setAsideNotice_ = file + " could not be read and could not be copied aside (" + why +
                      "); it is left as it is";
    mustNotWrite_ = "the file could not be read and could not be copied aside (" + why + ")";
    return;
  }
  changed_ = true;
  setAsideNotice_ = file +
                    (reading.unusableLines > 0 ? " could not be read"
                                               : " held values this program does not write") +
                    "; it was copied to " + aside + " and a new one is written";
}

std::string IniFileSettingsStore::Read(std::string_view application, std::string_view section,
                                       std::string_view key, std::string_view defaultValue) {
  CheckApplication(application);
  const auto values = sections_.find(section);
  if (values == sections_.end()) return std::string(defaultValue);
  const auto value = values->second.find(key);
  return value == values->second.end() ? std::string(defaultValue) : value->second;
}

void IniFileSettingsStore::Write(std::string_view application, std::string_view section,
                                 std::string_view key, std::string_view value) {
  CheckApplication(application);
  auto& values = sections_[std::string(section)];
  const auto stored = values.find(key);
  if (stored != values.end() && stored->second == value) return;
  values.insert_or_assign(std::string(key), std::string(value));
  changed_ = true;
}

bool IniFileSettingsStore::Save() {
  if (mustNotWrite_) {
    failure_ = *mustNotWrite_;
    return false;
  }
  if (!changed_) return true;
  const FileWriting written = files_->Write(path_, WriteIniText(sections_), true);
  if (written.outcome != FileWriting::Outcome::kDone) {
    failure_ = written.failure;
    return false;
  }
  changed_ = false;
  return true;
}

void IniFileSettingsStore::CheckApplication(std::string_view application) const {
  if (application != application_) {
    throw std::invalid_argument("this settings store belongs to " + application_ + ", not " +
                                std::string(application));
  }
}

}  // namespace tarnwick
