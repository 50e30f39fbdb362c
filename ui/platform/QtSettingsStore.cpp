#include "ui/platform/QtSettingsStore.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariantHash>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ui/ProgramInfo.h"
#include "ui/platform/SerialisedIniValues.h"

namespace tarnwick {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString KeyPath(std::string_view section, std::string_view key) {
  return ToQString(section) + QLatin1Char('/') + ToQString(key);
}

// Moves the file to "<file>.corrupt-<date and time>" (with a number added when that is taken);
// the new name, or nothing when the file could not be moved.
std::optional<QString> MoveAside(const QString& file) {
  if (!QFileInfo(file).isFile()) return std::nullopt;
  const QString stem = file + QStringLiteral(".corrupt-") +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
  constexpr int kMostTries = 100;
  for (int attempt = 1; attempt <= kMostTries; ++attempt) {
    const QString aside = attempt == 1 ? stem : stem + QLatin1Char('-') + QString::number(attempt);
    if (QFileInfo::exists(aside)) continue;
    if (QFile::rename(file, aside)) return aside;
    return std::nullopt;
  }
  return std::nullopt;
}

bool WriteWhole(const QString& path, const QByteArray& contents) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(contents) == contents.size() && file.flush();
}

// Every value QSettings read; a line "=x" gives an empty key, which QSettings will neither
// look up nor set (it only warns), so it is left out.
QVariantHash ReadableValues(const QSettings& settings) {
  QVariantHash values;
  for (const QString& key : settings.allKeys()) {
    if (!key.isEmpty()) values.insert(key, settings.value(key));
  }
  return values;
}

}  // namespace

QtSettingsStore::QtSettingsStore(std::string application, const std::string& iniPath)
    : application_(std::move(application)), path_(QString::fromStdString(iniPath)) {
  SetAsideSerialisedValues();
  settings_ = Open();
  SetAsideIfUnreadable();
}

std::unique_ptr<QSettings> QtSettingsStore::Open() const {
  return std::make_unique<QSettings>(path_, QSettings::IniFormat);
}

QtSettingsStore::~QtSettingsStore() = default;

// Where QSettings keeps an organisation's application on Linux: <config>/<org>/<app>.conf. The
// store opens that file by its path, so that it can look at the file before QSettings reads it.
std::unique_ptr<QtSettingsStore> QtSettingsStore::ForUser(const std::string& application) {
  const QString name = QString::fromStdString(application);
  const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       QLatin1Char('/') + name + QLatin1Char('/') + name + QStringLiteral(".conf");
  return std::make_unique<QtSettingsStore>(application, path.toStdString());
}

// QSettings decodes a value that starts with "@" as it reads the file, before anything can be
// asked of it, and a hostile "@Variant(...)" can make it allocate gigabytes. Such lines never
// come from this program: the file goes aside before QSettings opens it, and a copy without
// those lines takes its place.
void QtSettingsStore::SetAsideSerialisedValues() {
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) return;
  const std::optional<QByteArray> kept = WithoutSerialisedValues(file.readAll());
  file.close();
  if (!kept) return;
  const std::string name = path_.toStdString();
  const std::optional<QString> aside = MoveAside(path_);
  if (aside && WriteWhole(path_, *kept)) {
    setAsideNotice_ = "the settings file " + name + " held values this program does not write; " +
                      "it was moved to " + aside->toStdString() + " and a new one is written";
    return;
  }
  setAsideNotice_ = "the settings file " + name +
                    " held values this program does not write and could not be replaced; " +
                    "the defaults apply";
  path_ = QString();  // nothing is read, and a save reports that it could not write
}

// QSettings keeps a format error for good, so every later sync would report failure, and it
// would write the garbage it could not parse back. The file goes aside instead and the store
// starts again with the values that could be read.
void QtSettingsStore::SetAsideIfUnreadable() {
  if (settings_->status() != QSettings::FormatError) return;
  const QString file = settings_->fileName();
  const std::optional<QString> aside = MoveAside(file);
  if (!aside) {
    setAsideNotice_ = "the settings file " + file.toStdString() +
                      " could not be read and could not be moved aside";
    return;
  }
  const QVariantHash readable = ReadableValues(*settings_);
  settings_ = Open();
  for (auto value = readable.cbegin(); value != readable.cend(); ++value) {
    settings_->setValue(value.key(), value.value());
  }
  setAsideNotice_ = "the settings file " + file.toStdString() +
                    " could not be read; it was moved to " + aside->toStdString() +
                    " and a new one is written";
}

std::string QtSettingsStore::Read(std::string_view application, std::string_view section,
                                  std::string_view key, std::string_view defaultValue) {
  CheckApplication(application);
  const QVariant value = settings_->value(KeyPath(section, key));
  if (!value.isValid()) return std::string(defaultValue);
  // An INI value with an unquoted comma, typed in by hand, reads as a list.
  if (value.typeId() == QMetaType::QStringList) {
    return value.toStringList().join(QStringLiteral(", ")).toStdString();
  }
  return value.toString().toStdString();
}

void QtSettingsStore::Write(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view value) {
  CheckApplication(application);
  settings_->setValue(KeyPath(section, key), ToQString(value));
}

// QSettings keeps the first error it met, and a file with a line it could not parse leaves a
// FormatError from reading, although the writing still works (dropping that line). So whether
// the file can be written is asked first, and only an AccessError counts against the writing.
bool QtSettingsStore::Sync() {
  const bool writable = settings_->isWritable();
  settings_->sync();
  return writable && settings_->status() != QSettings::AccessError;
}

std::string QtSettingsStore::Location() const { return settings_->fileName().toStdString(); }

std::string QtSettingsStore::WriteFailureReason() const {
  if (settings_->status() == QSettings::FormatError) {
    return "the file could not be read and could not be moved aside";
  }
  const QFileInfo file(settings_->fileName());
  const QFileInfo folder(file.absolutePath());
  const std::string folderName = folder.filePath().toStdString();
  if (!folder.exists()) return "the folder " + folderName + " does not exist";
  if (!folder.isDir()) return folderName + " is not a folder";
  if (file.isDir()) return "a folder of that name is in the way";
  if (file.exists() && !file.isWritable()) return "the file is read-only";
  if (!folder.isWritable()) return "the folder " + folderName + " is read-only";
  return "the file could not be written (the disk may be full)";
}

std::string SettingsNotWrittenText(const QtSettingsStore& store) {
  return "The settings could not be written to " + store.Location() + ": " +
         store.WriteFailureReason() + ".";
}

void QtSettingsStore::CheckApplication(std::string_view application) const {
  if (application != application_) {
    throw std::invalid_argument("this settings store belongs to " + application_ + ", not " +
                                std::string(application));
  }
}

bool SyncOrShowFailure(QtSettingsStore& store, MessageBoxPresenter& messages) {
  if (store.Sync()) return true;
  messages.Show(SettingsNotWrittenText(store), kProgramName, MessageBoxStyle::kExclamation);
  return false;
}

}  // namespace tarnwick
