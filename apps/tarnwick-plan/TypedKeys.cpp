#include "apps/tarnwick-plan/TypedKeys.h"

#include <iomanip>
#include <sstream>
#include <string>

#include "apps/tarnwick-plan/PlanArgumentError.h"
#include "apps/tarnwick-plan/Utf8.h"
#include "ui/Controls.h"

namespace tarnwick {
namespace {

constexpr char32_t kHighestKeyCode = 0x7FFF;

std::string CodePointName(char32_t code) {
  std::ostringstream name;
  name << "U+" << std::uppercase << std::hex << std::setw(4) << std::setfill('0')
       << static_cast<std::uint32_t>(code);
  return name.str();
}

}  // namespace

std::vector<std::int16_t> KeyCodesForTyping(std::string_view keys) {
  const std::optional<std::u32string> characters = DecodeUtf8(keys);
  if (!characters) throw PlanArgumentError("the keys are not valid UTF-8");
  std::vector<std::int16_t> codes;
  for (std::size_t at = 0; at < characters->size(); ++at) {
    const char32_t code = (*characters)[at];
    if (code == U'\\' && at + 1 < characters->size() && (*characters)[at + 1] == U'b') {
      codes.push_back(kBackspaceKey);
      ++at;
    } else if (code > kHighestKeyCode) {
      throw PlanArgumentError("character " + CodePointName(code) +
                              " cannot be typed: key codes stop at U+7FFF");
    } else {
      codes.push_back(static_cast<std::int16_t>(code));
    }
  }
  return codes;
}

}  // namespace tarnwick
