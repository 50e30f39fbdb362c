#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The code points of a UTF-8 text; nothing when the text is not well-formed UTF-8 (overlong
// forms, surrogates and truncated sequences included).
std::optional<std::u32string> DecodeUtf8(std::string_view text);

}  // namespace tarnwick
