#include "common/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qb {
namespace {

std::string TooLarge(std::uint64_t maxBytes) {
  return "larger than the " + std::to_string(maxBytes) + " bytes allowed";
}

}  // namespace

int OpenRegularFile(const std::filesystem::path& path, int flags, std::string* error, int mode) {
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, mode);
  if (fd < 0) {
    const int reason = errno;
    if (error) *error = std::strerror(reason);
    errno = reason;
    return -1;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    if (error) *error = "not a regular file (a folder, device or pipe)";
    errno = EINVAL;
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

std::optional<std::string> ReadToEnd(int fd, std::uint64_t limit) {
  std::string out;
  char buffer[65536];
  while (out.size() <= limit) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) return out;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  return out;
}

std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes,
                                           std::string* error) {
  const int fd = OpenRegularFile(path, O_RDONLY, error);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  std::optional<std::string> content;
  if (::fstat(fd, &status) == 0 && static_cast<std::uint64_t>(status.st_size) > maxBytes) {
    if (error) *error = TooLarge(maxBytes);
    errno = EFBIG;
  } else {
    content = ReadToEnd(fd, maxBytes);
    if (content && content->size() > maxBytes) {
      content.reset();
      if (error) *error = TooLarge(maxBytes);
      errno = EFBIG;
    } else if (!content && error) {
      *error = std::strerror(errno);
    }
  }
  const int reason = errno;
  ::close(fd);
  errno = reason;
  return content;
}

}  // namespace qb
