#pragma once

#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "simstub/PosixStubServer.h"

namespace tarnwick {

// A substitute simulator serving on a thread until the object goes.
class RunningStub {
 public:
  RunningStub(const std::filesystem::path& directory, StubServerOptions options = {})
      : server_(directory, std::move(options), {}, [this](auto offset, auto data) {
          const std::lock_guard lock(mutex_);
          writes_.push_back(DescribeWrite(offset, data));
        }) {
    if (pipe(stopPipe_) != 0) throw std::runtime_error("no pipe");
    thread_ = std::thread([this] { server_.Serve(stopPipe_[0]); });
  }
  ~RunningStub() {
    const char stop = 1;
    [[maybe_unused]] const ssize_t written = write(stopPipe_[1], &stop, 1);
    thread_.join();
    close(stopPipe_[0]);
    close(stopPipe_[1]);
  }
  const PosixStubServer& Server() const { return server_; }
  std::vector<std::string> Writes() {
    const std::lock_guard lock(mutex_);
    return writes_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> writes_;
  PosixStubServer server_;
  int stopPipe_[2] = {-1, -1};
  std::thread thread_;
};

}  // namespace tarnwick
