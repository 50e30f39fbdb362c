#pragma once

#include <string_view>

#include "print/UrlOpener.h"

namespace tarnwick {

// Hands the URL to the opener, with "http://" put in front unless it begins with "http" in any
// mix of letter case ("https" included). A bare host therefore opens as "http://host", and an
// empty text as "http://". True when the system accepted the request.
bool OpenURL(std::string_view url, UrlOpener& opener);

}  // namespace tarnwick
