#include "ui/win32/Win32UserNumberFormat.h"

#include <windows.h>

#include <string>

#include "ui/win32/WideText.h"

namespace tarnwick {
namespace {

// The locale's text for that item, or fallback when it has none.
std::string UserLocaleText(LCTYPE item, const std::string& fallback) {
  wchar_t text[16] = {};
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, 16);
  if (length <= 1) return fallback;
  return Narrow(std::wstring_view(text, static_cast<std::size_t>(length - 1)));
}

}  // namespace

NumberFormat UserNumberFormat() {
  const NumberFormat standard;
  return {UserLocaleText(LOCALE_STHOUSAND, standard.groupSeparator),
          UserLocaleText(LOCALE_SDECIMAL, standard.decimalSeparator)};
}

}  // namespace tarnwick
