// Arbitrary bytes as a typed weight: the leading-number reader, the weight texts in both units,
// and a double taken from the same bytes for the display side. Every check is a property that
// the headers state or imply; a violation prints which one and aborts.
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/ArithmeticFault.h"
#include "core/LeadingNumber.h"
#include "core/WeightUnits.h"

namespace tarnwick {
namespace {

constexpr int kNoUnitSelected = -1;

void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property violated: %s\n", property);
  std::abort();
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

std::string WithoutBlanks(std::string_view text) {
  std::string kept;
  for (char c : text) {
    if (!IsBlank(c)) kept += c;
  }
  return kept;
}

// The reader's result, or nothing when it overflowed; any other outcome is a violation.
std::optional<double> Read(std::string_view text) {
  try {
    const double value = ReadLeadingNumber(text);
    Require(std::isfinite(value), "ReadLeadingNumber returns a finite value");
    return value;
  } catch (const OverflowFault&) {
    return std::nullopt;
  } catch (...) {
    Require(false, "ReadLeadingNumber throws nothing but OverflowFault");
  }
  return std::nullopt;
}

bool SameReading(const std::optional<double>& a, const std::optional<double>& b) {
  return a.has_value() == b.has_value() && (!a || *a == *b);
}

// A plain decimal (after the blanks are gone, with D as the exponent letter) read by the C
// library, as the independent reference for the decimal conversion. Nothing when the text is
// not one that strtod reads completely.
std::optional<double> ReferenceDecimal(const std::string& compact) {
  if (compact.empty()) return std::nullopt;
  std::string text = compact;
  for (char& c : text) {
    if (c == 'd' || c == 'D') c = 'E';
    if (std::strchr("0123456789+-.eE", c) == nullptr) return std::nullopt;
  }
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return std::nullopt;
  return value;
}

void CheckReader(std::string_view text) {
  const std::optional<double> read = Read(text);
  const std::string compact = WithoutBlanks(text);

  // Blanks never count, wherever they stand.
  Require(SameReading(read, Read(compact)), "blanks do not change the reading");

  // Without a digit there is no number, unless "&H" brings its own hexadecimal digits.
  if (compact.find_first_of("0123456789") == std::string::npos &&
      compact.find('&') == std::string::npos) {
    Require(read == 0.0, "a text without digits reads as 0");
  }

  // "&H" and "&O" give a whole number of 32 bits at most.
  if (!compact.empty() && compact.front() == '&' && read) {
    Require(*read == std::trunc(*read) && *read >= std::numeric_limits<std::int32_t>::min() &&
                *read <= std::numeric_limits<std::int32_t>::max(),
            "&H and &O read as a 32-bit whole number");
  }

  // A number that starts with a digit or a point reads as the negation of the same text with
  // a leading "-".
  if (!compact.empty() &&
      (std::isdigit(static_cast<unsigned char>(compact.front())) != 0 || compact.front() == '.')) {
    const std::optional<double> negated = Read("-" + std::string(text));
    Require(read.has_value() == negated.has_value() && (!read || *negated == -*read),
            "a leading minus negates the reading");
  }

  if (const std::optional<double> reference = ReferenceDecimal(compact)) {
    if (std::isinf(*reference)) {
      Require(!read, "a decimal beyond the double range overflows");
    } else {
      Require(read.has_value(), "a decimal within the double range does not overflow");
      if (std::fabs(*reference) < DBL_MIN) {
        Require(*read == 0.0 || *read == *reference, "a tiny decimal reads as 0 or as itself");
      } else {
        Require(*read == *reference, "a decimal reads as the nearest double");
      }
    }
  }
}

double CheckTextToKg(std::string_view text, int unitIndex) {
  double kg = 0.0;
  try {
    kg = TextToKg(text, unitIndex);
  } catch (...) {
    Require(false, "TextToKg never throws");
  }
  Require(std::isfinite(kg), "TextToKg returns a finite value");
  const std::optional<double> number = Read(text);
  const double expected =
      !number ? 0.0 : (unitIndex == kPoundsUnitIndex ? *number / kLbsPerKg : *number);
  Require(kg == expected, "TextToKg is the leading number, in pounds divided by kLbsPerKg");
  return kg;
}

// Checks a displayed weight and returns the whole number it shows, or nothing for "???".
std::optional<std::int32_t> CheckKgToText(double kg, int unitIndex) {
  const std::string text = KgToText(kg, unitIndex);
  const double shown = unitIndex == kPoundsUnitIndex ? kg * kLbsPerKg : kg;
  // nearbyint rounds halves to even in the default rounding mode.
  const double rounded = std::nearbyint(shown);
  const bool fits = std::isfinite(rounded) && rounded >= std::numeric_limits<std::int32_t>::min() &&
                    rounded <= std::numeric_limits<std::int32_t>::max();
  if (text == "???") {
    Require(!fits, "\"???\" only for a weight beyond 32 bits");
    return std::nullopt;
  }
  Require(fits, "a weight beyond 32 bits shows as \"???\"");

  const std::string_view digits = std::string_view(text).substr(text.starts_with('-') ? 1 : 0);
  Require(!digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos &&
              (digits.size() == 1 || digits.front() != '0') && text != "-0",
          "KgToText gives plain digits with an optional minus and no leading zeros");
  std::int32_t parsed = 0;
  const std::from_chars_result result =
      std::from_chars(text.data(), text.data() + text.size(), parsed);
  Require(result.ec == std::errc() && result.ptr == text.data() + text.size(),
          "KgToText parses back into 32 bits");
  Require(parsed == rounded, "KgToText shows the weight rounded half to even");
  Require(KgToText(kg, kNoUnitSelected) == KgToText(kg, kKilogramsUnitIndex),
          "no selected unit shows kilograms");
  return parsed;
}

void CheckDisplayedWeight(double kg) {
  for (const int unit : {kPoundsUnitIndex, kKilogramsUnitIndex, kNoUnitSelected}) {
    const std::optional<std::int32_t> shown = CheckKgToText(kg, unit);
    if (!shown) continue;
    // Reading the shown text back gives the whole number shown, exactly in kilograms...
    const std::string text = KgToText(kg, unit);
    const double back = CheckTextToKg(text, unit);
    if (unit != kPoundsUnitIndex) {
      Require(back == static_cast<double>(*shown), "a shown kilogram figure reads back exactly");
    }
    // ...and, in pounds too, shows the same text again.
    Require(KgToText(back, unit) == text, "a shown weight shows again unchanged after reading");
  }
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  CheckReader(text);
  for (const int unit : {kPoundsUnitIndex, kKilogramsUnitIndex, kNoUnitSelected}) {
    const double kg = CheckTextToKg(text, unit);
    CheckDisplayedWeight(kg);
    // Typing the shown figure back in and showing it again changes nothing. "???" is left out:
    // it reads as no number, so it shows as 0.
    const std::string once = KgToText(kg, unit);
    if (once == "???") continue;
    Require(KgToText(TextToKg(once, unit), unit) == once,
            "KgToText(TextToKg(text)) is stable when applied twice");
  }

  // The same bytes as a double reach the values no text gives: infinities, NaNs, the extremes.
  if (size >= sizeof(double)) {
    double raw = 0.0;
    std::memcpy(&raw, data, sizeof raw);
    CheckDisplayedWeight(raw);
  }
  return 0;
}
