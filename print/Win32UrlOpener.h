#pragma once

#include "print/UrlOpener.h"

namespace tarnwick {

// Opens URLs through the Windows shell (ShellExecuteA with the operation "open"), that is in
// the user's default browser. Built for Windows only.
class Win32UrlOpener final : public UrlOpener {
 public:
  bool Open(const std::string& url) override;
};

}  // namespace tarnwick
