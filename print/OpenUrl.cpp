#include "print/OpenUrl.h"

#include <algorithm>
#include <string>

namespace tarnwick {
namespace {

constexpr std::string_view kHttp = "http";
constexpr std::string_view kDefaultScheme = "http://";

// ASCII only, so that the user's locale cannot change what counts as "http".
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool BeginsWithHttp(std::string_view url) {
  return url.size() >= kHttp.size() &&
         std::equal(kHttp.begin(), kHttp.end(), url.begin(),
                    [](char lower, char actual) { return lower == AsciiLower(actual); });
}

}  // namespace

bool OpenURL(std::string_view url, UrlOpener& opener) {
  std::string target(url);
  if (!BeginsWithHttp(target)) target.insert(0, kDefaultScheme);
  return opener.Open(target);
}

}  // namespace tarnwick
