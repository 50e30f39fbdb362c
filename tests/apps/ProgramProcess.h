#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick {

// Runs the program (the first of the words, a path) with the rest as its arguments, its
// standard output and error written to the two files, and waits for it to end. Its exit status,
// or -1 when it did not exit normally.
int RunProgramToFiles(const std::vector<std::string>& words, const std::filesystem::path& out,
                      const std::filesystem::path& err);

}  // namespace tarnwick
