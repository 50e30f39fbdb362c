#pragma once

#include <QByteArray>
#include <optional>

namespace tarnwick {

// QSettings decodes an INI value whose text starts with "@Variant(" or "@DateTime(" from
// binary as it reads the file, and a length in such a value can make it allocate gigabytes.
// This program never writes one (it stores texts only, which QSettings writes plainly, as
// "@String(...)" when they hold a NUL, or with a doubled "@").
//
// The file's text without the lines whose value QSettings would decode that way; nothing when
// it has none. Lines and values are read as QSettings reads them: a line ends at a line break
// ("\n" or "\r") or a ";" outside quotes, a backslash carries the next byte (a line break too)
// into the line, and a value is a comma-separated list whose items may be quoted and escaped.
std::optional<QByteArray> WithoutSerialisedValues(const QByteArray& contents);

}  // namespace tarnwick
