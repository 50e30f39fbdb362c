#include "apps/platform/PlainPlatform.h"

#include <iostream>

namespace tarnwick {

void PlainPlatform::ErrorStreamMessages::Show(std::string_view text, std::string_view title,
                                              MessageBoxStyle /*style*/) {
  std::string line(text);
  for (char& character : line) {
    if (character == '\r' || character == '\n') character = ' ';
  }
  std::cerr << title << ": " << line << '\n';
}

}  // namespace tarnwick
