#pragma once
// A full disk for one scope: writes that would make any file larger than a
// few kilobytes fail (EFBIG through the file size limit, with SIGXFSZ
// ignored), as writes on a full file system fail with ENOSPC. Files may
// still be created, as on a disk with free inodes but no free blocks.

#include <signal.h>
#include <sys/resource.h>

namespace qb::testing {

class FullDisk {
 public:
  explicit FullDisk(rlim_t bytes = 4096) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FullDisk() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, previous_);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

 private:
  rlimit saved_{};
  sighandler_t previous_{};
};

}  // namespace qb::testing
