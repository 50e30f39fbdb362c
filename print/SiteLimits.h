#pragma once

#include <chrono>
#include <cstddef>

namespace tarnwick {

// What the print site's server allows each client, so that no client can hold it up for long
// or make it take much memory.
struct SiteLimits {
  // A connection that has sent no complete request, or taken no answer, for this long is
  // closed.
  std::chrono::milliseconds idleTimeout{10000};
  // Connections kept open at once: a further one closes the one that has waited longest for
  // its client.
  std::size_t maxConnections = 16;
  // The longest request line and header fields, together. A request may have no body.
  std::size_t maxRequestBytes = 8192;
};

}  // namespace tarnwick
