#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tarnwick {

// An INI file's values: section name, then key, then the text. Keys before any section header
// (and QSettings' "[General]") belong to the section named "".
using IniSections =
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>>;

// What could be read of an INI file's text.
struct IniReading {
  IniSections sections;
  // Lines read as nothing: without "=", a broken section header, a key of characters QSettings
  // never writes unescaped, a comment, an unclosed quote, an escape QSettings never writes, text
  // that is not UTF-8, or a key that came before in the same section (the later one counts).
  int unusableLines = 0;
  // Lines with a value QSettings decodes from binary or into a type of its own ("@Variant(",
  // "@DateTime(", "@ByteArray(" and the like): this program only ever stores texts, and such a
  // value is never decoded.
  int serialisedLines = 0;
};

// Reads the text as QSettings read and wrote its INI files, so that every file earlier versions
// wrote reads the same: a line ends at "\n" or "\r" unless a backslash carries it on; a value is
// a comma-separated list of items (joined again with ", "), each with blanks around it dropped,
// C escapes ("\n", "\"", "\x41", "\101") and double quotes around text with blanks, commas or
// semicolons; "@@" stands for a leading "@" and "@String(...)" for a text with a NUL in it. The
// plain "key=value" lines Windows' profile calls write read as they were, unless the value
// holds a backslash, a double quote, a comma or a semicolon. Key and section names are
// percent-escaped ("%20", "%U00E9"). A byte-order mark before the text is skipped.
IniReading ReadIniText(std::string_view text);

// The sections as QSettings writes them, which ReadIniText reads back exactly: one
// "[section]" header each, then a "key=value" line per key, a blank line between sections.
std::string WriteIniText(const IniSections& sections);

}  // namespace tarnwick
