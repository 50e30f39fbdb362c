#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarnwick {

// The key codes that typing keys sends, one per character of the UTF-8 text: each character is
// its code point, and the two characters "\b" are one Backspace. Throws PlanArgumentError for
// text that is not UTF-8 or holds a character above U+7FFF, which no 16-bit key code carries.
std::vector<std::int16_t> KeyCodesForTyping(std::string_view keys);

}  // namespace tarnwick
