#include "ui/StoredValues.h"

#include <charconv>
#include <cmath>

namespace tarnwick {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// from_chars takes no leading "+"; a stored "+5" is still plainly 5. A second sign stays, so
// that "+-5" is refused rather than read as -5.
std::string_view DropPlusSign(std::string_view text) {
  if (text.starts_with('+') && !text.substr(1).starts_with('-')) text.remove_prefix(1);
  return text;
}

template <typename Number, typename... Format>
std::optional<Number> ParseWhole(std::string_view text, Format... format) {
  Number value{};
  const char* end = text.data() + text.size();
  const std::from_chars_result parsed = std::from_chars(text.data(), end, value, format...);
  if (text.empty() || parsed.ec != std::errc() || parsed.ptr != end) return std::nullopt;
  return value;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  for (std::size_t start = 0;;) {
    const auto found = text.find(from, start);
    result += text.substr(start, found - start);
    if (found == std::string_view::npos) return result;
    result += to;
    start = found + from.size();
  }
}

}  // namespace

std::optional<std::int16_t> ParseStoredWholeNumber(std::string_view text) {
  return ParseWhole<std::int16_t>(DropPlusSign(TrimBlanks(text)));
}

// The program itself writes only "." and digits, so a "," in a stored weight was put there by
// a hand or a program that uses it as the decimal point: it reads as one under every locale.
std::optional<double> ParseStoredWeight(std::string_view text, std::string_view decimalSeparator) {
  std::string decimal = ReplaceAll(DropPlusSign(TrimBlanks(text)), ",", ".");
  if (!decimalSeparator.empty() && decimalSeparator != ".") {
    decimal = ReplaceAll(decimal, decimalSeparator, ".");
  }
  const auto value = ParseWhole<double>(decimal, std::chars_format::general);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return *value;
}

std::string FormatStoredWeight(double kg) {
  if (kg == 0.0) return "0";
  constexpr int kSignificantDigits = 15;
  char buffer[32];
  const std::to_chars_result written = std::to_chars(
      buffer, buffer + sizeof buffer, kg, std::chars_format::general, kSignificantDigits);
  return std::string(buffer, written.ptr);
}

}  // namespace tarnwick
