#pragma once

#include "print/UrlOpener.h"

namespace tarnwick {

// Opens URLs with QDesktopServices. A QGuiApplication (or QApplication) must exist: without
// one, and on platforms with no desktop services such as "offscreen", every request is
// refused.
class QtUrlOpener final : public UrlOpener {
 public:
  bool Open(const std::string& url) override;
};

}  // namespace tarnwick
