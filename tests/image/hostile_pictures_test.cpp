// Picture files made to exhaust the loader: devices and pipes given as
// pictures, and tiny files that declare huge pictures. Each is refused at
// once and within a small, fixed amount of memory.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <functional>

#include "image/jpeg_check.h"
#include "image/picture_loader.h"
#include "picture_fixtures.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QB_TEST_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QB_TEST_UNDER_ASAN 1
#endif

namespace qb {
namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

// The process's address space now, from /proc/self/status.
std::size_t AddressSpaceBytes() {
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

enum ChildOutcome { kRefused = 0, kLoaded = 1, kFailedOtherwise = 2, kNoLimit = 3, kCrashed = 4 };

// Runs load in a child process whose address space may grow by at most
// extra bytes: an allocation past it fails there instead of here.
ChildOutcome LoadWithMemoryLimit(std::size_t extra, const std::function<ChildOutcome()>& load) {
  const pid_t child = ::fork();
  if (child == 0) {
    const rlimit limit{AddressSpaceBytes() + extra, AddressSpaceBytes() + extra};
    if (limit.rlim_cur == extra || ::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(kNoLimit);
    ::_exit(load());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return kCrashed;
  return WIFEXITED(status) ? static_cast<ChildOutcome>(WEXITSTATUS(status)) : kCrashed;
}

TEST(HostilePictures, DevicesAndPipesAreRefusedAtOnceNamingThePath) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath(QStringLiteral("page.jpg"));
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  for (const QString& path : {QStringLiteral("/dev/zero"), fifo, dir.path()}) {
    QImage image;
    QString error;
    EXPECT_FALSE(LoadPictureFile(path, image, &error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains(QLatin1String("not a regular file"))) << error.toStdString();
  }
}

TEST(HostilePictures, AJpegTooShortForItsDeclaredSizeIsRefusedBeforeItsCanvas) {
  const QByteArray jpeg = fixtures::MakeJpeg(64, 48);
  EXPECT_TRUE(JpegLongEnoughForItsSize(jpeg));
  EXPECT_TRUE(JpegLongEnoughForItsSize(fixtures::MakeJpeg(2000, 8)));
  const QByteArray huge = fixtures::WithJpegSize(jpeg, 20000, 20000);
  EXPECT_FALSE(JpegLongEnoughForItsSize(huge));
  QImage image;
  QString why;
  EXPECT_FALSE(DecodePictureData(huge, image, &why));
  EXPECT_TRUE(why.contains(QLatin1String("too short"))) << why.toStdString();
}

TEST(HostilePictures, TinyJpegsDeclaringHugePicturesStayWithinAFixedMemoryBound) {
#ifdef QB_TEST_UNDER_ASAN
  GTEST_SKIP() << "the sanitizer reserves more address space than any limit allows";
#else
  QTemporaryDir dir;
  const QByteArray jpeg = fixtures::MakeJpeg(64, 48);
  const QByteArray huge = fixtures::WithJpegSize(jpeg, 20000, 20000);
  // The same with its compressed data cut short, framed again by an end marker.
  const qsizetype scan = jpeg.indexOf(QByteArray("\xFF\xDA", 2)) + 14;
  const QByteArray cut = fixtures::WithJpegSize(jpeg.left(scan + 40) + QByteArray("\xFF\xD9", 2), 20000, 20000);
  for (const QByteArray& bytes : {huge, cut}) {
    const QString path = fixtures::WriteFile(dir, QStringLiteral("page.jpg"), bytes);
    const auto load = [&path] {
      QImage image;
      QString error;
      if (LoadPictureFile(path, image, &error)) return kLoaded;
      // Refused for what the file is, not because decoding ran out of memory.
      return error.contains(QLatin1String("too short")) ? kRefused : kFailedOtherwise;
    };
    EXPECT_EQ(LoadWithMemoryLimit(64 * kMiB, load), kRefused);
  }
  // The bound leaves room for real pictures.
  const QString real = fixtures::WriteFile(dir, QStringLiteral("real.jpg"), fixtures::MakeJpeg(640, 480));
  EXPECT_EQ(LoadWithMemoryLimit(64 * kMiB,
                                [&real] {
                                  QImage image;
                                  return LoadPictureFile(real, image, nullptr) ? kLoaded : kFailedOtherwise;
                                }),
            kLoaded);
#endif
}

}  // namespace
}  // namespace qb
