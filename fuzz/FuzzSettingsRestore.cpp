// Arbitrary texts for the sixteen settings keys. The input is split at line feeds: line n is
// the text of the n-th key in restore order ("Units", "Icing", "TripDistance", ...), a key
// without a line is absent from the store, and a seventeenth line of one to four bytes
// without digits or signs is the locale's decimal separator (else "."). The window must load
// with every control in a valid state, its first recalculation must complete or explain the
// overflow, and saving then restoring must give the same window.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/SettingsProperties.h"
#include "fuzz/WindowOnStore.h"
#include "ui/WindowSettings.h"

namespace tarnwick {
namespace {

std::vector<std::string_view> Lines(std::string_view input) {
  std::vector<std::string_view> lines;
  while (!input.empty()) {
    const std::size_t end = input.find('\n');
    lines.push_back(input.substr(0, end));
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + 1);
  }
  return lines;
}

NumberFormat FormatFrom(const std::vector<std::string_view>& lines) {
  const std::size_t separatorLine = SettingsKeys().size();
  if (lines.size() > separatorLine) {
    const std::string_view separator = lines[separatorLine];
    if (!separator.empty() && separator.size() <= 4 &&
        separator.find_first_of("0123456789+-") == std::string_view::npos) {
      const std::string group = separator == "," ? "." : ",";
      return {.groupSeparator = group, .decimalSeparator = std::string(separator)};
    }
  }
  return {.groupSeparator = ",", .decimalSeparator = "."};
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  const std::vector<std::string_view> lines =
      Lines(std::string_view(reinterpret_cast<const char*>(data), size));
  InMemorySettingsStore store;
  const std::span<const SettingsKey> keys = SettingsKeys();
  for (std::size_t i = 0; i < keys.size() && i < lines.size(); ++i) {
    store.Write(kSettingsApplication, kSettingsSection, keys[i].key, lines[i]);
  }
  const NumberFormat numberFormat = FormatFrom(lines);
  WindowOnStore window(store, numberFormat);
  const bool recalculated = CheckLoadedWindow(window, ReadStoredTexts(store));
  CheckSaveAndRestore(window, recalculated, numberFormat);
  return 0;
}
