#include "simlink/LinkResult.h"

namespace tarnwick {

std::array<std::string_view, kLinkResultCount> LinkResultTexts() {
  return {
      "Connected",
      "Attempt to Open when already Open",
      "Cannot link to FSUIPC or WideClient",
      "Failed to Register common message with Windows",
      "Failed to create Atom for mapping filename",
      "Failed to create a file mapping object",
      "Failed to open a view to the file map",
      "Incorrect version of FSUIPC, or not FSUIPC",
      "Sim is not version requested",
      "Call cannot execute, link not Open",
      "Call cannot execute: no requests accumulated",
      "IPC timed out all retries",
      "IPC sendmessage failed all retries",
      "IPC request contains bad data",
      "Maybe running on WideClient, but FS not running on Server, or wrong FSUIPC",
      "Read or Write request cannot be added, memory for Process is full",
  };
}

std::string_view LinkResultText(LinkResult result) {
  return LinkResultTexts().at(static_cast<std::size_t>(result));
}

}  // namespace tarnwick
