#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tarnwick {

// A 64 KiB file system (tmpfs) mounted on a fresh folder for the test's life, to run out of
// space for real. Mounting needs root: Mounted() tells whether it worked, and Why() why not.
class SmallDisk {
 public:
  explicit SmallDisk(const std::filesystem::path& folder) : folder_(folder) {
    std::filesystem::create_directories(folder_);
    if (::geteuid() != 0) {
      why_ = "mounting a small tmpfs needs root";
    } else if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k,mode=0777") != 0) {
      why_ = "tmpfs could not be mounted on " + folder_.string();
    } else {
      mounted_ = true;
    }
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Why() const { return why_; }

  // Takes up every free byte with a file of its own.
  void Fill() const {
    std::ofstream filler(folder_ / "filler", std::ios::binary);
    const std::string block(512, 'f');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) &&
           filler.flush()) {
    }
    std::ofstream last(folder_ / "filler-bytes", std::ios::binary);
    while (last.put('f') && last.flush()) {
    }
  }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
  std::string why_;
};

}  // namespace tarnwick
