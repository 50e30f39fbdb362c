#pragma once

#include <string_view>

namespace tarnwick {

// One file of the print site that the program carries inside itself.
struct SiteFile {
  std::string_view name;  // e.g. "print.php", below the site's folder
  std::string_view content;
  std::string_view contentType;  // the Content-Type header's value
};

inline constexpr std::string_view kSiteFolder = "/Tarnwick/";
// The style sheet that the print page loads.
inline constexpr std::string_view kStyleSheetName = "tarnwick.css";

// The file a request target asks for: "/Tarnwick/" followed by one of the site's file names
// exactly, with any query after "?" ignored; "/Tarnwick/" alone is the front page. Everything
// else, whatever it is dressed as ("..", percent-encoding, backslashes, an absolute URL, a
// second slash), names no file: nullptr.
const SiteFile* FindSiteFile(std::string_view target);

}  // namespace tarnwick
