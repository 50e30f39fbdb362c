#include "ui/platform/SerialisedIniValues.h"

#include <QByteArrayView>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {
namespace {

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || IsLineBreak(c); }

// One line as QSettings reads it: [start, end) of the text, and where its key ends (the first
// "=" outside quotes; -1 when it has none).
struct IniLine {
  qsizetype start = 0;
  qsizetype end = 0;
  qsizetype equals = -1;
};

// Reads on from `at` to the next line, past blanks, empty lines and comments (a ";" at the start
// of a line comments out the rest of that text line). A line ends at a line break or a ";"
// outside quotes; a backslash carries the next byte with it, and "\r\n" or "\n\r" both after
// one. Nothing when the text is used up.
std::optional<IniLine> NextLine(QByteArrayView text, qsizetype& at) {
  IniLine line{.start = at};
  while (line.start < text.size() && IsBlank(text[line.start])) ++line.start;
  bool quoted = false;
  qsizetype i = line.start;
  while (i < text.size()) {
    const char c = text[i++];
    if (c == '=' && !quoted && line.equals < 0) {
      line.equals = i - 1;
    } else if (IsLineBreak(c) && !quoted) {
      --i;
      break;
    } else if (c == '\\' && i < text.size()) {
      const char carried = text[i++];
      if (i < text.size() && IsLineBreak(carried) && IsLineBreak(text[i]) && text[i] != carried) {
        ++i;
      }
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ';' && i == line.start + 1) {
      while (i < text.size() && !IsLineBreak(text[i])) ++i;
      while (i < text.size() && IsBlank(text[i])) ++i;
      line.start = i;
    } else if (c == ';' && !quoted) {
      --i;
      break;
    }
  }
  at = i;
  line.end = i;
  if (line.end == line.start) return std::nullopt;
  return line;
}

// What a hexadecimal digit is worth; -1 for anything else.
int HexDigitWorth(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char lower = static_cast<char>(c | 0x20);
  if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
  return -1;
}

// Digits of the base from `at` on, as many as follow, kept to 16 bits as QSettings keeps them.
char16_t EscapedCode(QByteArrayView value, qsizetype& at, unsigned base) {
  std::uint32_t code = 0;
  for (; at < value.size(); ++at) {
    const int worth = HexDigitWorth(value[at]);
    if (worth < 0 || static_cast<unsigned>(worth) >= base) break;
    code = code * base + static_cast<std::uint32_t>(worth);
  }
  return static_cast<char16_t>(code & 0xFFFF);
}

// What QSettings makes of the escape after a backslash, reading on from `at`: the character of
// a C escape ("\n", "\"", "\x40", "\100" and the like), or nothing: a line break (the value
// goes on on the next line), "\x" without a digit, and any other byte are dropped.
std::optional<char16_t> Unescaped(QByteArrayView value, qsizetype& at) {
  constexpr std::string_view kLetters = "abfnrtv\"?'\\";
  constexpr std::u16string_view kMeanings = u"\a\b\f\n\r\t\v\"?'\\";
  const char kind = value[at++];
  if (const auto letter = kLetters.find(kind); letter != std::string_view::npos) {
    return kMeanings[letter];
  }
  if (kind == 'x' && at < value.size() && HexDigitWorth(value[at]) >= 0) {
    return EscapedCode(value, at, 16);
  }
  if (kind >= '0' && kind <= '7') {
    --at;
    return EscapedCode(value, at, 8);
  }
  if (IsLineBreak(kind) && at < value.size() && IsLineBreak(value[at]) && value[at] != kind) {
    ++at;
  }
  return std::nullopt;
}

bool IsSerialised(std::u16string_view item) {
  return item.starts_with(u"@Variant(") || item.starts_with(u"@DateTime(");
}

// True when an item of the value (items are separated by commas outside quotes) reads as a
// serialised value. Blanks before an item and after a closing quote are skipped, as QSettings
// skips them; quoted or escaped ones stay.
bool HoldsSerialisedItem(QByteArrayView value) {
  std::u16string item;
  bool quoted = false;
  bool skippingBlanks = true;
  for (qsizetype at = 0; at < value.size();) {
    const char c = value[at++];
    if (skippingBlanks && (c == ' ' || c == '\t')) continue;
    skippingBlanks = false;
    if (c == '\\') {
      if (at == value.size()) break;
      if (const std::optional<char16_t> escaped = Unescaped(value, at)) item += *escaped;
    } else if (c == '"') {
      quoted = !quoted;
      skippingBlanks = !quoted;
    } else if (c == ',' && !quoted) {
      if (IsSerialised(item)) return true;
      item.clear();
      skippingBlanks = true;
    } else {
      item += static_cast<unsigned char>(c);
    }
  }
  return IsSerialised(item);
}

// The value starts after the first "=" outside quotes; the first "=" of all is tried too, so
// that a quote in a key cannot hide a value.
bool HoldsSerialisedValue(QByteArrayView text, const IniLine& line) {
  const QByteArrayView whole = text.sliced(line.start, line.end - line.start);
  const qsizetype firstEquals = whole.indexOf('=');
  if (firstEquals < 0) return false;
  if (HoldsSerialisedItem(whole.sliced(firstEquals + 1))) return true;
  return line.equals >= 0 &&
         HoldsSerialisedItem(text.sliced(line.equals + 1, line.end - line.equals - 1));
}

std::optional<QByteArray> WithoutSerialisedLines(const QByteArray& contents) {
  QByteArray kept;
  bool dropped = false;
  qsizetype copied = 0;
  qsizetype at = 0;
  while (const std::optional<IniLine> line = NextLine(contents, at)) {
    if (!HoldsSerialisedValue(contents, *line)) continue;
    kept.append(QByteArrayView(contents).sliced(copied, line->start - copied));
    copied = line->end;
    dropped = true;
  }
  if (!dropped) return std::nullopt;
  kept.append(QByteArrayView(contents).sliced(copied));
  return kept;
}

}  // namespace

std::optional<QByteArray> WithoutSerialisedValues(const QByteArray& contents) {
  std::optional<QByteArray> kept = WithoutSerialisedLines(contents);
  // The lines around a dropped one read as before, so the copy holds none; should it ever, it
  // keeps nothing rather than hand QSettings such a value.
  if (kept && WithoutSerialisedLines(*kept)) kept->clear();
  return kept;
}

}  // namespace tarnwick
