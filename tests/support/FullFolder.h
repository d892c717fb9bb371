// A folder with almost no room left, for the tests of a full disk.
//
// Where the test may mount (root with CAP_SYS_ADMIN), it is a 64 KiB tmpfs,
// mounted in a mount namespace of the test process's own, so nothing stays
// mounted when the process ends, and filled up to the room asked for: writes
// past it fail with ENOSPC as on any full disk. Elsewhere a file size limit
// (RLIMIT_FSIZE) stands in for it: every write past the limit fails with
// EFBIG, and the folder is an ordinary one. How() says which one a run got.
#pragma once

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vantor::testing {

class TFullFolder {
 public:
  TFullFolder(const std::filesystem::path& path, std::size_t room) : path_(path) {
    std::filesystem::create_directories(path_);
    if (unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
        mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=64k") == 0) {
      mounted_ = true;
      struct statvfs fs {};
      statvfs(path_.c_str(), &fs);
      const std::size_t avail = fs.f_bavail * fs.f_bsize;
      if (avail > room) {
        std::ofstream filler(path_ / "filler", std::ios::binary);
        filler << std::string(avail - room, 'x');
      }
      return;
    }
    getrlimit(RLIMIT_FSIZE, &oldLimit_);
    rlimit limit = oldLimit_;
    limit.rlim_cur = room;
    setrlimit(RLIMIT_FSIZE, &limit);
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
  }
  ~TFullFolder() {
    if (mounted_) {
      umount2(path_.c_str(), MNT_DETACH);
    } else {
      setrlimit(RLIMIT_FSIZE, &oldLimit_);
      signal(SIGXFSZ, oldHandler_);
    }
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TFullFolder(const TFullFolder&) = delete;
  TFullFolder& operator=(const TFullFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // What the system says when a write does not fit.
  std::string Reason() const { return mounted_ ? "No space left on device" : "File too large"; }
  std::string How() const {
    return mounted_ ? "a 64 KiB tmpfs filled to the room asked for"
                    : "no right to mount here: a file size limit (RLIMIT_FSIZE) stands in for a full disk";
  }
  // The files in the folder, the filler left out.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_))
      if (e.path().filename() != "filler") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
  bool mounted_ = false;
  rlimit oldLimit_{};
  sighandler_t oldHandler_ = SIG_DFL;
};

}  // namespace vantor::testing
