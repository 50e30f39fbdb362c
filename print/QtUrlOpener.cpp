#include "print/QtUrlOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace tarnwick {

bool QtUrlOpener::Open(const std::string& url) {
  // Tolerant parsing leaves the query's "+" and "?" as they are and percent-encodes only what
  // cannot stand in a URL at all, such as a blank.
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::TolerantMode));
}

}  // namespace tarnwick
