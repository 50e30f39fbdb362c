#include "apps/tarnwick-plan/Utf8.h"

#include <cstddef>

namespace tarnwick {
namespace {

struct SequenceStart {
  std::size_t length;
  char32_t bits;
  char32_t minimum;  // the smallest code point this length may encode
};

std::optional<SequenceStart> ReadLeadByte(unsigned char byte) {
  if (byte < 0x80) return SequenceStart{1, byte, 0};
  if ((byte & 0xE0) == 0xC0) return SequenceStart{2, byte & 0x1Fu, 0x80};
  if ((byte & 0xF0) == 0xE0) return SequenceStart{3, byte & 0x0Fu, 0x800};
  if ((byte & 0xF8) == 0xF0) return SequenceStart{4, byte & 0x07u, 0x10000};
  return std::nullopt;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool IsScalarValue(char32_t code) { return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF); }

}  // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string decoded;
  std::size_t at = 0;
  while (at < text.size()) {
    const auto start = ReadLeadByte(static_cast<unsigned char>(text[at]));
    if (!start || at + start->length > text.size()) return std::nullopt;
    char32_t code = start->bits;
    for (std::size_t i = 1; i < start->length; ++i) {
      const auto byte = static_cast<unsigned char>(text[at + i]);
      if (!IsContinuation(byte)) return std::nullopt;
      code = (code << 6) | (byte & 0x3Fu);
    }
    if (code < start->minimum || !IsScalarValue(code)) return std::nullopt;
    decoded += code;
    at += start->length;
  }
  return decoded;
}

}  // namespace tarnwick
