#pragma once

#include <string>
#include <vector>

namespace tarnwick {

// The program's arguments after its name, in UTF-8. Windows hands main() its arguments in the
// ANSI code page, which cannot hold every character, so the Windows build reads them from the
// wide command line instead (ProgramArgumentsPosix.cpp, ProgramArgumentsWin32.cpp).
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace tarnwick
