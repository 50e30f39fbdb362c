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

// A console of its own for a background program, without a window: Ctrl+C sent to that console
// reaches that program alone. (A program run to its end shares this one's: a console costs
// Wine a process.)
constexpr DWORD kOwnConsole = CREATE_NO_WINDOW;
constexpr DWORD kThisConsole = 0;

HANDLE Start(const std::vector<std::string>& words, const std::filesystem::path& out,
             const std::filesystem::path& err, DWORD console) {
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
                                      nullptr, TRUE, console, nullptr, nullptr, &startup, &process);
  CloseHandle(outFile);
  CloseHandle(errFile);
  if (!started) throw std::runtime_error("cannot start " + words.front());
  CloseHandle(process.hThread);
  return process.hProcess;
}

HANDLE ToHandle(std::intptr_t process) { return reinterpret_cast<HANDLE>(process); }

int ExitStatus(HANDLE process) {
  DWORD status = 0;
  return GetExitCodeProcess(process, &status) ? static_cast<int>(status) : -1;
}

}  // namespace

int RunProgramToFiles(const std::vector<std::string>& words, const std::filesystem::path& out,
                      const std::filesystem::path& err) {
  const HANDLE process = Start(words, out, err, kThisConsole);
  WaitForSingleObject(process, INFINITE);
  const int status = ExitStatus(process);
  CloseHandle(process);
  return status;
}

BackgroundProgram::BackgroundProgram(const std::vector<std::string>& words,
                                     const std::filesystem::path& out,
                                     const std::filesystem::path& err)
    : process_(reinterpret_cast<std::intptr_t>(Start(words, out, err, kOwnConsole))) {}

BackgroundProgram::~BackgroundProgram() {
  if (Running()) TerminateProcess(ToHandle(process_), 1);
  Wait();
  CloseHandle(ToHandle(process_));
}

bool BackgroundProgram::Running() {
  if (exitStatus_) return false;
  if (WaitForSingleObject(ToHandle(process_), 0) == WAIT_TIMEOUT) return true;
  exitStatus_ = ExitStatus(ToHandle(process_));
  return false;
}

// This process's answer to a console's Ctrl+C: carry on. (Ignoring the event with a null
// handler instead would pass the ignoring on to the programs started later.)
BOOL WINAPI CarryOn(DWORD /*event*/) { return TRUE; }

// Ctrl+C goes to every process of a console: this process joins the program's console for the
// moment of the event (leaving its own, if it had one).
void BackgroundProgram::Interrupt() {
  if (!Running()) return;
  FreeConsole();
  if (AttachConsole(GetProcessId(ToHandle(process_)))) {
    SetConsoleCtrlHandler(CarryOn, TRUE);
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    FreeConsole();
  }
}

int BackgroundProgram::Wait(std::chrono::milliseconds patience) {
  if (exitStatus_) return *exitStatus_;
  if (WaitForSingleObject(ToHandle(process_), static_cast<DWORD>(patience.count())) ==
      WAIT_TIMEOUT) {
    TerminateProcess(ToHandle(process_), 1);
    WaitForSingleObject(ToHandle(process_), INFINITE);
    exitStatus_ = -1;
    return -1;
  }
  exitStatus_ = ExitStatus(ToHandle(process_));
  return *exitStatus_;
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(std::string name, const std::string& value)
    : name_(std::move(name)) {
  SetEnvironmentVariableW(Widen(name_).c_str(), Widen(value).c_str());
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
  SetEnvironmentVariableW(Widen(name_).c_str(), nullptr);
}

}  // namespace tarnwick
