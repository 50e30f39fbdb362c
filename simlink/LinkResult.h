#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tarnwick {

// The outcome of every simulator link operation. The numbers are fixed: the connection failure
// message looks its text up by number.
enum class LinkResult : std::int32_t {
  kConnected = 0,
  kAlreadyOpen = 1,
  kNoServer = 2,
  kNoRegisteredMessage = 3,
  kNoAtom = 4,
  kNoMapping = 5,
  kNoView = 6,
  kWrongVersion = 7,
  kSimNotRequested = 8,
  kNotOpen = 9,
  kNothingQueued = 10,
  kTimedOut = 11,
  kSendFailed = 12,
  kBadData = 13,
  kWideClientNoSimulator = 14,
  kAreaFull = 15,
};

inline constexpr std::size_t kLinkResultCount = 16;

// The sixteen result texts, indexed by the result's number.
std::array<std::string_view, kLinkResultCount> LinkResultTexts();

std::string_view LinkResultText(LinkResult result);

}  // namespace tarnwick
