// The settings files through the Windows API.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "ui/SettingsFiles.h"
#include "ui/Utf16Text.h"

namespace tarnwick {
namespace {

std::wstring FullPath(const std::wstring& path) {
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring full(length, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
  return full;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::wstring full = FullPath(path);
  const std::size_t separator = full.find_last_of(L"\\/");
  return separator == std::wstring::npos ? L"." : full.substr(0, separator);
}

// The system's own sentence for an error, without its line break and full stop.
std::string SystemText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring sentence(text != nullptr ? text : L"", length);
  LocalFree(text);
  while (!sentence.empty() && (sentence.back() == L'\n' || sentence.back() == L'\r' ||
                               sentence.back() == L'.' || sentence.back() == L' ')) {
    sentence.pop_back();
  }
  return sentence.empty() ? "error " + std::to_string(error) : Narrow(sentence);
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Why a write failed, from the error of the call that failed.
std::string FailureReason(DWORD error, const std::wstring& path) {
  const std::wstring folder = FolderOf(path);
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "the disk is full";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_DIRECTORY:
      if (GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES && !IsFolder(folder)) {
        return Narrow(folder) + " is not a folder";
      }
      return "the folder " + Narrow(folder) + " does not exist";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return "the folder " + Narrow(folder) + " is read-only";
    default:
      return SystemText(error);
  }
}

// Closes a handle when it goes.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  HANDLE Get() const { return handle_; }
  // Closes it now (when still open); false when the close failed.
  bool Close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view contents) {
  while (!contents.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1u << 20));
    if (!WriteFile(file, contents.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    contents.remove_prefix(written);
  }
  return true;
}

class Win32SettingsFiles final : public SettingsFiles {
 public:
  FileReading Read(const std::string& path) override {
    const std::wstring wide = Widen(path);
    if (IsFolder(wide)) return {};
    const Handle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
      return {FileReading::Outcome::kUnreadable, {}, SystemText(error)};
    }
    FileReading reading{FileReading::Outcome::kRead, {}, {}};
    char buffer[8192];
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
        return {FileReading::Outcome::kUnreadable, {}, SystemText(GetLastError())};
      }
      if (got == 0) return reading;
      reading.contents.append(buffer, got);
    }
  }

  FileWriting Write(const std::string& path, std::string_view contents, bool replace) override {
    const std::wstring wide = FullPath(Widen(path));
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(FolderOf(wide)), ignored);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {FileWriting::Outcome::kFailed, "a folder of that name is in the way"};
      }
      if (!replace) return {FileWriting::Outcome::kExists, {}};
      if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return {FileWriting::Outcome::kFailed, "the file is read-only"};
      }
    }
    const std::wstring temporary = wide + L".new-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                   std::to_wstring(++temporaries_);
    Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) return Failed(GetLastError(), wide);
    const DWORD moveFlags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!WriteAll(file.Get(), contents) || !FlushFileBuffers(file.Get()) || !file.Close() ||
        !MoveFileExW(temporary.c_str(), wide.c_str(), moveFlags)) {
      const DWORD error = GetLastError();
      file.Close();
      DeleteFileW(temporary.c_str());
      if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
        return {FileWriting::Outcome::kExists, {}};
      }
      return Failed(error, wide);
    }
    return {};
  }

 private:
  static FileWriting Failed(DWORD error, const std::wstring& path) {
    return {FileWriting::Outcome::kFailed, FailureReason(error, path)};
  }

  unsigned temporaries_ = 0;
};

}  // namespace

std::unique_ptr<SettingsFiles> MakeSystemSettingsFiles() {
  return std::make_unique<Win32SettingsFiles>();
}

std::string FullSettingsPath(const std::string& path) { return Narrow(FullPath(Widen(path))); }

}  // namespace tarnwick
