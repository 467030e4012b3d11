#pragma once
// Running a piece of work in a child process whose address space may grow
// by at most a given number of bytes beyond what it starts with: memory
// bounds checked without risking the test machine. Sanitizer builds reserve
// far more address space than any such bound, so tests skip themselves
// there (QB_TEST_UNDER_ASAN).

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QB_TEST_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QB_TEST_UNDER_ASAN 1
#endif

namespace qb::testing {

inline constexpr std::size_t kMiB = std::size_t{1} << 20;

// The process's address space now, from /proc/self/status; 0 if unknown.
inline std::size_t AddressSpaceBytes() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  char line[256];
  std::size_t kib = 0;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, "VmSize:", 7) == 0) kib = std::strtoull(line + 7, nullptr, 10);
  }
  std::fclose(status);
  return kib * 1024;
}

// What work returned (0 to 99) in a child limited to extra bytes more than
// it starts with (not limited for 0, to keep the heap of large preparations
// out of the test process); kNoMemoryLimit when the limit could not be set, and
// kChildCrashed when the child died (an allocation that failed uncaught).
inline constexpr int kNoMemoryLimit = 100;
inline constexpr int kChildCrashed = 101;

inline int RunWithMemoryLimit(std::size_t extra, const std::function<int()>& work) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    if (extra == 0) ::_exit(work());
    // Large blocks become fresh mappings that count against the limit,
    // instead of reusing heap the parent freed (which the limit already holds).
    ::mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    const std::size_t now = AddressSpaceBytes();
    const rlimit limit{now + extra, now + extra};
    if (now == 0 || ::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(kNoMemoryLimit);
    ::_exit(work());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return kChildCrashed;
  return WIFEXITED(status) ? WEXITSTATUS(status) : kChildCrashed;
}

}  // namespace qb::testing
