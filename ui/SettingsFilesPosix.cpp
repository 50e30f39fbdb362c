// The settings files through POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "ui/SettingsFiles.h"

namespace tarnwick {
namespace {

// Closes a file descriptor when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int Get() const { return fd_; }
  // Closes it now; false (errno set) when the close reports a failed write.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::string FolderOf(const std::string& path) {
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
  const std::filesystem::path folder =
      (absolute.empty() ? std::filesystem::path(path) : absolute).parent_path();
  return folder.empty() ? "." : folder.string();
}

// Why a write failed, from the errno of the call that failed.
std::string FailureReason(int error, const std::string& path) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return "the disk is full";
    case ENOENT:
      return "the folder " + FolderOf(path) + " does not exist";
    case ENOTDIR:
      return FolderOf(path) + " is not a folder";
    case EISDIR:
      return "a folder of that name is in the way";
    case EACCES:
    case EPERM:
    case EROFS:
      return "the folder " + FolderOf(path) + " is read-only";
    default:
      return std::strerror(error);
  }
}

bool WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = ENOSPC;
      return false;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Flushes the folder's entry for a renamed file to the disk; a failure leaves the rename done.
void FlushFolder(const std::string& path) {
  const Descriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0) ::fsync(folder.Get());
}

class PosixSettingsFiles final : public SettingsFiles {
 public:
  FileReading Read(const std::string& path) override {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
      if (errno == ENOENT || errno == ENOTDIR) return {};
      return {FileReading::Outcome::kUnreadable, {}, std::strerror(errno)};
    }
    struct stat status {};
    if (::fstat(file.Get(), &status) == 0 && S_ISDIR(status.st_mode)) return {};
    FileReading reading{FileReading::Outcome::kRead, {}, {}};
    char buffer[8192];
    for (;;) {
      const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return {FileReading::Outcome::kUnreadable, {}, std::strerror(errno)};
      if (got == 0) return reading;
      reading.contents.append(buffer, static_cast<std::size_t>(got));
    }
  }

  FileWriting Write(const std::string& path, std::string_view contents, bool replace) override {
    std::error_code ignored;
    std::filesystem::create_directories(FolderOf(path), ignored);
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return Failed(EISDIR, path);
    if (exists && !replace) return {FileWriting::Outcome::kExists, {}};
    if (exists && ::access(path.c_str(), W_OK) != 0 && errno == EACCES) {
      return {FileWriting::Outcome::kFailed, "the file is read-only"};
    }
    const std::string temporary =
        path + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(++temporaries_);
    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.Get() < 0) return Failed(errno, path);
    if (exists) ::fchmod(file.Get(), existing.st_mode & 07777);
    if (!WriteAll(file.Get(), contents) || ::fsync(file.Get()) != 0 || !file.Close() ||
        !Publish(temporary, path, replace)) {
      const int error = errno;
      ::unlink(temporary.c_str());
      if (error == EEXIST) return {FileWriting::Outcome::kExists, {}};
      return Failed(error, path);
    }
    FlushFolder(path);
    return {};
  }

 private:
  static FileWriting Failed(int error, const std::string& path) {
    return {FileWriting::Outcome::kFailed, FailureReason(error, path)};
  }

  // Gives the written file its name: over the old file, or only where there is none (a link
  // fails when the name is taken, where a rename would replace).
  static bool Publish(const std::string& temporary, const std::string& path, bool replace) {
    if (replace) return ::rename(temporary.c_str(), path.c_str()) == 0;
    if (::link(temporary.c_str(), path.c_str()) != 0) return false;
    ::unlink(temporary.c_str());
    return true;
  }

  unsigned temporaries_ = 0;
};

}  // namespace

std::unique_ptr<SettingsFiles> MakeSystemSettingsFiles() {
  return std::make_unique<PosixSettingsFiles>();
}

std::string FullSettingsPath(const std::string& path) {
  std::error_code failed;
  const std::filesystem::path absolute = std::filesystem::absolute(path, failed);
  return failed ? path : absolute.lexically_normal().string();
}

std::string UserSettingsPath(std::string_view application) {
  const char* configured = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::string config = configured != nullptr && configured[0] == '/'
                                 ? std::string(configured)
                                 : std::string(home != nullptr ? home : "") + "/.config";
  const std::string name(application);
  return config + "/" + name + "/" + name + ".conf";
}

}  // namespace tarnwick
