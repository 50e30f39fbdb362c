#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <stdexcept>

#include "ProgramProcess.h"

extern char** environ;

namespace tarnwick {
namespace {

// Output goes to files rather than pipes so that a large report cannot block the program.
void RedirectTo(posix_spawn_file_actions_t& actions, int descriptor,
                const std::filesystem::path& path) {
  posix_spawn_file_actions_addopen(&actions, descriptor, path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
}

}  // namespace

int RunProgramToFiles(const std::vector<std::string>& words, const std::filesystem::path& out,
                      const std::filesystem::path& err) {
  std::vector<std::string> texts = words;
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  RedirectTo(actions, STDOUT_FILENO, out);
  RedirectTo(actions, STDERR_FILENO, err);
  pid_t child = 0;
  const int spawnError = posix_spawn(&child, argv.front(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawnError != 0) throw std::runtime_error("cannot start " + words.front());

  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tarnwick
