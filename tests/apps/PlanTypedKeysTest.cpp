// The key codes tarnwick-plan types for --type.
#include <gtest/gtest.h>

#include "apps/tarnwick-plan/PlanArgumentError.h"
#include "apps/tarnwick-plan/TypedKeys.h"

namespace tarnwick {
namespace {

using Codes = std::vector<std::int16_t>;

TEST(PlanTypedKeys, BackslashBIsOneBackspace) {
  EXPECT_EQ(KeyCodesForTyping(R"(1\b2)"), (Codes{'1', 8, '2'}));
  EXPECT_EQ(KeyCodesForTyping(R"(\\b)"), (Codes{'\\', 8}));
  EXPECT_EQ(KeyCodesForTyping(R"(1\)"), (Codes{'1', '\\'}));
}

TEST(PlanTypedKeys, CharactersAreTheirCodePointsUpToU7FFF) {
  EXPECT_EQ(KeyCodesForTyping("\u00E9\u20AC\u7FFF"), (Codes{0xE9, 0x20AC, 0x7FFF}));
  EXPECT_THROW(KeyCodesForTyping("\u8000"), PlanArgumentError);
}

TEST(PlanTypedKeys, MalformedUtf8IsRefused) {
  for (const char* malformed :
       {"\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "\x80", "\xF4\x90\x80\x80", "1\xFF"}) {
    EXPECT_THROW(KeyCodesForTyping(malformed), PlanArgumentError) << malformed;
  }
}

}  // namespace
}  // namespace tarnwick
