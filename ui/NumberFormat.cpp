#include "ui/NumberFormat.h"

#include <algorithm>

namespace tarnwick {
namespace {

bool IsWholeNumber(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string FormatGrouped(std::string_view wholeNumber, std::string_view groupSeparator) {
  if (!IsWholeNumber(wholeNumber)) return std::string(wholeNumber);
  const bool negative = wholeNumber.front() == '-';
  std::string_view digits = wholeNumber.substr(negative ? 1 : 0);
  digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.empty()) return "";

  std::string grouped = negative ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += groupSeparator;
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace tarnwick
