#include "ui/platform/QtSettingsStore.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace tarnwick {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString KeyPath(std::string_view section, std::string_view key) {
  return ToQString(section) + QLatin1Char('/') + ToQString(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore(std::string application, const std::string& iniPath)
    : application_(std::move(application)),
      settings_(
          std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat)) {}

QtSettingsStore::QtSettingsStore(std::string application, std::unique_ptr<QSettings> settings)
    : application_(std::move(application)), settings_(std::move(settings)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::unique_ptr<QtSettingsStore> QtSettingsStore::ForUser(const std::string& application) {
  const QString name = QString::fromStdString(application);
  return std::unique_ptr<QtSettingsStore>(
      new QtSettingsStore(application, std::make_unique<QSettings>(name, name)));
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

void QtSettingsStore::CheckApplication(std::string_view application) const {
  if (application != application_) {
    throw std::invalid_argument("this settings store belongs to " + application_ + ", not " +
                                std::string(application));
  }
}

}  // namespace tarnwick
