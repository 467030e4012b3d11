#include "tools/qbbtool/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/file_replacement.h"

namespace qbbtool {
namespace {

// A write-only device on a descriptor that takes every write, remembering
// the first failure instead of returning it.
class DescriptorDevice : public QIODevice {
 public:
  explicit DescriptorDevice(int fd) : fd_(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
  bool isSequential() const override { return true; }
  int failure() const { return failure_; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (failure_ == 0 && !qb::WriteFully(fd_, std::string_view(data, static_cast<std::size_t>(size)))) failure_ = errno;
    return size;
  }

 private:
  int fd_;
  int failure_ = 0;
};

bool Refuse(std::string* error, std::string text) {
  if (error) *error = std::move(text);
  return false;
}

}  // namespace

bool OutputFailed(const QIODevice& device) {
  const auto* descriptor = dynamic_cast<const DescriptorDevice*>(&device);
  return descriptor != nullptr && descriptor->failure() != 0;
}

bool FillDescriptor(int fd, const OutputFill& fill, std::string* error) {
  DescriptorDevice device(fd);
  const bool filled = fill(device);
  if (device.failure() != 0) return Refuse(error, std::strerror(device.failure()));
  if (!filled) return Refuse(error, "the content could not be made");
  return true;
}

bool WriteOutputFile(const std::string& path, const OutputFill& fill, std::string* error) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
    // Opening a pipe nobody reads would wait for a reader for ever.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && errno == ENXIO) return Refuse(error, "no program reads from the pipe");
    if (fd < 0) return Refuse(error, std::strerror(errno));
    // Then wait for the reader as usual, rather than fail when it is slow.
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
      const int reason = errno;
      ::close(fd);
      return Refuse(error, std::strerror(reason));
    }
    const bool written = FillDescriptor(fd, fill, error);
    const bool closed = ::close(fd) == 0;
    if (written && !closed) return Refuse(error, std::strerror(errno));
    return written;
  }
  qb::FileReplacement file{std::filesystem::path(path)};
  if (!file.ok()) return Refuse(error, file.error());
  if (!FillDescriptor(file.fd(), fill, error)) return false;
  if (!file.Commit()) return Refuse(error, file.error());
  return true;
}

}  // namespace qbbtool
