#include "ui/IniText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// QSettings keeps the values of "[General]" and of lines before any header in its top level.
constexpr std::string_view kTopLevelHeader = "General";

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
int HexWorth(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  return (c | 0x20) - 'a' + 10;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Appends the character as UTF-8; false for a lone surrogate, which is no character.
bool AppendCharacter(std::string& out, std::uint32_t code) {
  if (code >= 0xD800 && code <= 0xDFFF) return false;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return true;
}

// The next character of UTF-8 text from `at` on; nothing when the bytes there are not one.
std::optional<std::uint32_t> NextCharacter(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) return lead;
  const int following = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (following == 0 || lead > 0xF4 || text.size() - at < static_cast<std::size_t>(following)) {
    return std::nullopt;
  }
  std::uint32_t code = lead & (0x3F >> following);
  for (int i = 0; i < following; ++i) {
    const auto next = static_cast<unsigned char>(text[at++]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (next & 0x3F);
  }
  constexpr std::uint32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
  if (code < kShortest[following] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return std::nullopt;
  }
  return code;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    if (!NextCharacter(text, at)) return false;
  }
  return true;
}

// The text's lines: each ends at "\n" or "\r", except where a backslash carries it on ("\r\n"
// and "\n\r" then count as one break).
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const char c = text[at];
    if (c == '\\' && at + 1 < text.size()) {
      at += 2;
      if (IsLineBreak(text[at - 1]) && at < text.size() && IsLineBreak(text[at]) &&
          text[at] != text[at - 1]) {
        ++at;
      }
    } else if (IsLineBreak(c)) {
      lines.push_back(text.substr(start, at - start));
      start = ++at;
    } else {
      ++at;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// A key or section name as QSettings escapes it: letters, digits, "_", "-", "." and blanks
// inside as they are, anything else as "%XX" or "%UXXXX". Nothing for a name it never writes.
std::optional<std::string> UnescapedName(std::string_view name) {
  std::string out;
  for (std::size_t at = 0; at < name.size();) {
    const char c = name[at++];
    if (c != '%') {
      const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.' || c == ' ';
      if (!plain) return std::nullopt;
      out += c;
      continue;
    }
    const bool wide = at < name.size() && name[at] == 'U';
    if (wide) ++at;
    const std::size_t digits = wide ? 4 : 2;
    if (name.size() - at < digits) return std::nullopt;
    std::uint32_t code = 0;
    for (std::size_t i = 0; i < digits; ++i, ++at) {
      if (!IsHexDigit(name[at])) return std::nullopt;
      code = code * 16 + static_cast<std::uint32_t>(HexWorth(name[at]));
    }
    if (code < 0x20 || !AppendCharacter(out, code)) return std::nullopt;
  }
  if (out.empty()) return std::nullopt;
  return out;
}

std::string EscapedName(std::string_view name) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t at = 0; at < name.size();) {
    const char c = name[at];
    const std::uint32_t code = NextCharacter(name, at).value_or(0xFFFD);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '_' || c == '-' || c == '.';
    if (plain) {
      out += c;
    } else if (code < 0x100) {
      out += {'%', kDigits[code >> 4], kDigits[code & 0xF]};
    } else {
      out += {'%',
              'U',
              kDigits[(code >> 12) & 0xF],
              kDigits[(code >> 8) & 0xF],
              kDigits[(code >> 4) & 0xF],
              kDigits[code & 0xF]};
    }
  }
  return out;
}

// The digits of the base from `at` on, as many as follow, kept to 16 bits as QSettings keeps
// them.
std::uint32_t EscapedCode(std::string_view value, std::size_t& at, int base) {
  std::uint32_t code = 0;
  while (at < value.size() && IsHexDigit(value[at]) && HexWorth(value[at]) < base) {
    code = (code * static_cast<std::uint32_t>(base) +
            static_cast<std::uint32_t>(HexWorth(value[at]))) &
           0xFFFF;
    ++at;
  }
  return code;
}

enum class Escape { kCharacter, kContinuation, kUnusable };

// The escape after a backslash, reading on from `at`: a C escape appends its character; a line
// break carries the value on. Any other escape QSettings never writes.
Escape Unescape(std::string_view value, std::size_t& at, std::string& out) {
  constexpr std::string_view kLetters = "abfnrtv\"?'\\";
  constexpr std::string_view kMeanings = "\a\b\f\n\r\t\v\"?'\\";
  const char kind = value[at++];
  if (const std::size_t letter = kLetters.find(kind); letter != std::string_view::npos) {
    out += kMeanings[letter];
    return Escape::kCharacter;
  }
  if (kind == 'x' && at < value.size() && IsHexDigit(value[at])) {
    return AppendCharacter(out, EscapedCode(value, at, 16)) ? Escape::kCharacter
                                                            : Escape::kUnusable;
  }
  if (kind >= '0' && kind <= '7') {
    --at;
    return AppendCharacter(out, EscapedCode(value, at, 8)) ? Escape::kCharacter : Escape::kUnusable;
  }
  if (IsLineBreak(kind)) {
    if (at < value.size() && IsLineBreak(value[at]) && value[at] != kind) ++at;
    return Escape::kContinuation;
  }
  return Escape::kUnusable;
}

// One item's text as QSettings stores a text: "@@" for a leading "@", "@String(...)" around a
// text with a NUL. Its other "@" forms are values of types of their own.
enum class ItemKind { kText, kSerialised };
ItemKind DecodeItem(std::string& item) {
  if (item.starts_with("@@")) {
    item.erase(0, 1);
    return ItemKind::kText;
  }
  if (!item.starts_with('@') || !item.ends_with(')')) return ItemKind::kText;
  if (item.starts_with("@String(")) {
    item = item.substr(8, item.size() - 9);
    return ItemKind::kText;
  }
  for (const std::string_view form :
       {"@ByteArray(", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point(", "@Invalid("}) {
    if (item.starts_with(form)) return ItemKind::kSerialised;
  }
  return ItemKind::kText;
}

enum class ValueKind { kText, kUnusable, kSerialised };

// Reads a value's items into `items`: blanks before and after an item outside quotes dropped,
// escapes resolved.
ValueKind ReadItems(std::string_view value, std::vector<std::string>& items) {
  std::string item;
  std::string blanks;  // blanks outside quotes, kept only when more of the item follows
  bool quoted = false;
  bool started = false;
  for (std::size_t at = 0; at < value.size();) {
    const char c = value[at++];
    if (c == '\\') {
      if (at == value.size()) return ValueKind::kUnusable;
      item += blanks;
      blanks.clear();
      const Escape escape = Unescape(value, at, item);
      if (escape == Escape::kUnusable) return ValueKind::kUnusable;
      started = started || escape == Escape::kCharacter;
    } else if (c == '"') {
      item += blanks;
      blanks.clear();
      quoted = !quoted;
      started = true;
    } else if (quoted) {
      item += c;
    } else if (c == ',') {
      items.push_back(std::move(item));
      item.clear();
      blanks.clear();
      started = false;
    } else if (c == ';') {
      return ValueKind::kUnusable;  // a comment after the value
    } else if (IsBlank(c)) {
      if (started) blanks += c;
    } else {
      item += blanks;
      blanks.clear();
      item += c;
      started = true;
    }
  }
  if (quoted) return ValueKind::kUnusable;
  items.push_back(std::move(item));
  return ValueKind::kText;
}

// The text of a value; its kind tells when there is none.
ValueKind ReadValue(std::string_view value, std::string& text) {
  std::vector<std::string> items;
  if (const ValueKind kind = ReadItems(value, items); kind != ValueKind::kText) return kind;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!IsUtf8(items[i])) return ValueKind::kUnusable;
    if (DecodeItem(items[i]) == ItemKind::kSerialised) return ValueKind::kSerialised;
    text += (i == 0 ? "" : ", ") + items[i];
  }
  return ValueKind::kText;
}

// The section a header line names; nothing for a broken header.
std::optional<std::string> HeaderSection(std::string_view line) {
  if (line.size() < 2 || line.back() != ']') return std::nullopt;
  const std::string_view name = line.substr(1, line.size() - 2);
  if (name == kTopLevelHeader) return "";
  if (name == "%" + std::string(kTopLevelHeader)) return std::string(kTopLevelHeader);
  return UnescapedName(name);
}

// Reads one line into the reading; `section` is the one the line lies in, nothing under a
// broken header (whose lines are not used).
void ReadLine(std::string_view line, std::optional<std::string>& section, IniReading& reading) {
  line = Trimmed(line);
  if (line.empty()) return;
  if (line.front() == '[') {
    section = HeaderSection(line);
    if (!section) ++reading.unusableLines;
    return;
  }
  const std::size_t equals = line.find('=');
  const std::optional<std::string> key = equals == std::string_view::npos
                                             ? std::nullopt
                                             : UnescapedName(Trimmed(line.substr(0, equals)));
  std::string text;
  const ValueKind kind = key ? ReadValue(line.substr(equals + 1), text) : ValueKind::kUnusable;
  if (kind == ValueKind::kSerialised) {
    ++reading.serialisedLines;
  } else if (kind == ValueKind::kUnusable || !section) {
    ++reading.unusableLines;
  } else {
    auto& values = reading.sections[*section];
    if (values.contains(*key)) ++reading.unusableLines;
    values[*key] = std::move(text);
  }
}

// The text with every byte that is not part of a UTF-8 character replaced by U+FFFD, as the
// text of the window's controls would hold it.
std::string ValidUtf8(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    if (NextCharacter(text, at)) {
      out += text.substr(start, at - start);
    } else {
      at = start + 1;
      out += "\xEF\xBF\xBD";
    }
  }
  return out;
}

// A text as QSettings writes it: quoted when it starts or ends with a blank or holds ",", ";"
// or "=", C escapes for quotes, backslashes and control characters, and a hexadecimal digit
// right after a numeric escape escaped too, so that it cannot join the escape.
std::string EscapedValue(std::string_view text) {
  std::string stored = ValidUtf8(text);
  if (text.find('\0') != std::string_view::npos) {
    stored = "@String(" + stored + ")";
  } else if (text.starts_with('@')) {
    stored.insert(0, 1, '@');
  }
  const bool quoted = !stored.empty() && (stored.front() == ' ' || stored.back() == ' ' ||
                                          stored.find_first_of(",;=") != std::string::npos);
  constexpr char kDigits[] = "0123456789abcdef";
  constexpr std::string_view kMeanings("\a\b\f\n\r\t\v\"\\", 9);
  constexpr std::string_view kLetters = "abfnrtv\"\\";
  std::string out = quoted ? "\"" : "";
  bool escapeHexDigit = false;
  for (const char c : stored) {
    const auto code = static_cast<unsigned char>(c);
    if (escapeHexDigit && IsHexDigit(c)) {
      out += {'\\', 'x', kDigits[code >> 4], kDigits[code & 0xF]};
      continue;
    }
    escapeHexDigit = false;
    if (const std::size_t meaning = kMeanings.find(c); meaning != std::string_view::npos) {
      out += {'\\', kLetters[meaning]};
    } else if (code == 0) {
      out += "\\0";
      escapeHexDigit = true;
    } else if (code < 0x20) {
      out += "\\x";
      if (code >= 0x10) out += kDigits[code >> 4];
      out += kDigits[code & 0xF];
      escapeHexDigit = true;
    } else {
      out += c;
    }
  }
  return quoted ? out + "\"" : out;
}

std::string SectionHeader(const std::string& name) {
  if (name.empty()) return "[" + std::string(kTopLevelHeader) + "]\n";
  if (name == kTopLevelHeader) return "[%" + std::string(kTopLevelHeader) + "]\n";
  return "[" + EscapedName(name) + "]\n";
}

}  // namespace

IniReading ReadIniText(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  IniReading reading;
  std::optional<std::string> section = "";
  for (const std::string_view line : Lines(text)) ReadLine(line, section, reading);
  return reading;
}

std::string WriteIniText(const IniSections& sections) {
  std::string out;
  for (const auto& [section, values] : sections) {
    if (values.empty()) continue;
    if (!out.empty()) out += '\n';
    out += SectionHeader(section);
    for (const auto& [key, value] : values) {
      out += EscapedName(key) + "=" + EscapedValue(value) + "\n";
    }
  }
  return out;
}

}  // namespace tarnwick
