#include <windows.h>

#include <stdexcept>

#include "ProgramProcess.h"
#include "ui/Utf16Text.h"

namespace tarnwick {
namespace {

// One argument as the C runtime's command-line parser reads it back: quoted when it holds a
// space, a tab or a quote (or is empty), quotes escaped, and backslashes doubled where a quote
// follows them.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

// A file the child writes its output to, inherited as its standard handle.
HANDLE InheritableOutputFile(const std::filesystem::path& path) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot make " + path.string());
  return file;
}

}  // namespace

int RunProgramToFiles(const std::vector<std::string>& words, const std::filesystem::path& out,
                      const std::filesystem::path& err) {
  std::wstring commandLine;
  for (const std::string& word : words) {
    commandLine += (commandLine.empty() ? L"" : L" ") + Quoted(Widen(word));
  }
  const HANDLE outFile = InheritableOutputFile(out);
  const HANDLE errFile = InheritableOutputFile(err);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = outFile;
  startup.hStdError = errFile;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(Widen(words.front()).c_str(), commandLine.data(), nullptr,
                                      nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(outFile);
  CloseHandle(errFile);
  if (!started) throw std::runtime_error("cannot start " + words.front());

  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  const BOOL known = GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return known ? static_cast<int>(status) : -1;
}

}  // namespace tarnwick
