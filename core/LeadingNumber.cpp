#include "core/LeadingNumber.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

#include "core/ArithmeticFault.h"

namespace tarnwick {
namespace {

// Walks a text character by character, stepping over the blanks that never count.
class BlankSkippingCursor {
 public:
  explicit BlankSkippingCursor(std::string_view text) : text_(text) { SkipBlanks(); }

  bool AtEnd() const { return position_ == text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[position_]; }
  void Advance() {
    ++position_;
    SkipBlanks();
  }
  bool Accept(char wanted) {
    if (AtEnd() || Upper(Peek()) != wanted) return false;
    Advance();
    return true;
  }
  bool AcceptAny(std::string_view wanted) {
    if (AtEnd() || wanted.find(Upper(Peek())) == std::string_view::npos) return false;
    Advance();
    return true;
  }

 private:
  static char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  void SkipBlanks() {
    while (!AtEnd() &&
           (text_[position_] == ' ' || text_[position_] == '\t' || text_[position_] == '\n')) {
      ++position_;
    }
  }

  std::string_view text_;
  std::size_t position_ = 0;
};

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// The digits after "&H" or "&O". A value up to 0xFFFF is taken as 16 bits and one up to
// 0xFFFFFFFF as 32 bits, both in two's complement.
double ReadRadixInteger(BlankSkippingCursor& cursor, int radix) {
  std::uint64_t value = 0;
  while (!cursor.AtEnd() && DigitValue(cursor.Peek()) < radix) {
    value = value * static_cast<std::uint64_t>(radix) +
            static_cast<std::uint64_t>(DigitValue(cursor.Peek()));
    if (value > 0xFFFFFFFFu) throw OverflowFault();
    cursor.Advance();
  }
  if (value <= 0xFFFFu) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// A decimal number as written: its digits, where its point stands, and its exponent.
struct DecimalText {
  bool negative = false;
  std::string digits;              // integer and fraction digits, without the point
  std::int64_t pointPosition = 0;  // how many of digits stand before the point
  std::int64_t exponent = 0;

  bool HasDigits() const { return !digits.empty(); }
  // Power of ten of the first significant digit, roughly; tells an overflow from an underflow.
  std::int64_t Magnitude() const {
    const auto firstSignificant = digits.find_first_not_of('0');
    return pointPosition - static_cast<std::int64_t>(firstSignificant) + exponent;
  }
};

void ReadDigitsInto(BlankSkippingCursor& cursor, std::string& digits) {
  while (DigitValue(cursor.Peek()) < 10) {
    digits += cursor.Peek();
    cursor.Advance();
  }
}

std::int64_t ReadExponent(BlankSkippingCursor& cursor) {
  // Far beyond any double's exponent plus any text's digit count, and far from 64-bit overflow
  // when the two are added.
  constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;
  const bool negative = cursor.Accept('-');
  if (!negative) cursor.Accept('+');
  std::int64_t exponent = 0;
  while (DigitValue(cursor.Peek()) < 10) {
    exponent = std::min(kExponentCap, exponent * 10 + DigitValue(cursor.Peek()));
    cursor.Advance();
  }
  return negative ? -exponent : exponent;
}

DecimalText ReadDecimalText(BlankSkippingCursor& cursor) {
  DecimalText number;
  number.negative = cursor.Accept('-');
  if (!number.negative) cursor.Accept('+');
  ReadDigitsInto(cursor, number.digits);
  number.pointPosition = static_cast<std::int64_t>(number.digits.size());
  if (cursor.Accept('.')) ReadDigitsInto(cursor, number.digits);
  if (number.HasDigits() && cursor.AcceptAny("ED")) number.exponent = ReadExponent(cursor);
  return number;
}

double ToDouble(const DecimalText& number) {
  if (number.digits.find_first_not_of('0') == std::string::npos) return 0.0;
  const std::int64_t exponent =
      number.exponent + number.pointPosition - static_cast<std::int64_t>(number.digits.size());
  const std::string text = number.digits + "e" + std::to_string(exponent);
  double value = 0.0;
  const std::from_chars_result parsed =
      std::from_chars(text.data(), text.data() + text.size(), value);
  if (parsed.ec == std::errc::result_out_of_range) {
    if (number.Magnitude() > 0) throw OverflowFault();
    return 0.0;
  }
  return number.negative ? -value : value;
}

}  // namespace

double ReadLeadingNumber(std::string_view text) {
  BlankSkippingCursor cursor(text);
  if (cursor.Accept('&')) {
    if (cursor.Accept('H')) return ReadRadixInteger(cursor, 16);
    if (cursor.Accept('O')) return ReadRadixInteger(cursor, 8);
    return 0.0;
  }
  return ToDouble(ReadDecimalText(cursor));
}

}  // namespace tarnwick
