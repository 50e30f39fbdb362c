#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include "apps/tarnwick-plan/ProgramArguments.h"
#include "ui/win32/WideText.h"

namespace tarnwick {

std::vector<std::string> ProgramArguments(int /*argc*/, char** /*argv*/) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

}  // namespace tarnwick
