// Picture files made to exhaust the loader: devices and pipes given as
// pictures, and tiny files that declare huge pictures. Each is refused at
// once and within a small, fixed amount of memory.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>

#include "image/jpeg_check.h"
#include "image/picture_loader.h"
#include "picture_fixtures.h"
#include "support/memory_limit.h"

namespace qb {
namespace {

using testing::kMiB;
using testing::RunWithMemoryLimit;

enum ChildOutcome { kRefused = 0, kLoaded = 1, kFailedOtherwise = 2 };

TEST(HostilePictures, DevicesAndPipesAreRefusedAtOnceNamingThePath) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath(QStringLiteral("page.jpg"));
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  for (const QString& path : {QStringLiteral("/dev/zero"), fifo, dir.path()}) {
    QImage image;
    const Outcome loaded = LoadPictureFile(path, image);
    const QString error = QString::fromStdString(loaded.why());
    EXPECT_FALSE(loaded.ok());
    EXPECT_TRUE(error.contains(path)) << loaded.why();
    EXPECT_TRUE(error.contains(QLatin1String("not a regular file"))) << loaded.why();
  }
}

TEST(HostilePictures, AJpegTooShortForItsDeclaredSizeIsRefusedBeforeItsCanvas) {
  const QByteArray jpeg = fixtures::MakeJpeg(64, 48);
  EXPECT_TRUE(JpegLongEnoughForItsSize(jpeg));
  EXPECT_TRUE(JpegLongEnoughForItsSize(fixtures::MakeJpeg(2000, 8)));
  const QByteArray huge = fixtures::WithJpegSize(jpeg, 20000, 20000);
  EXPECT_FALSE(JpegLongEnoughForItsSize(huge));
  QImage image;
  const Outcome decoded = DecodePictureData(huge, image);
  EXPECT_FALSE(decoded.ok());
  EXPECT_TRUE(QString::fromStdString(decoded.why()).contains(QLatin1String("too short"))) << decoded.why();
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
      const Outcome loaded = LoadPictureFile(path, image);
      if (loaded) return kLoaded;
      // Refused for what the file is, not because decoding ran out of memory.
      return QString::fromStdString(loaded.why()).contains(QLatin1String("too short")) ? kRefused : kFailedOtherwise;
    };
    EXPECT_EQ(RunWithMemoryLimit(64 * kMiB, load), kRefused);
  }
  // The bound leaves room for real pictures.
  const QString real = fixtures::WriteFile(dir, QStringLiteral("real.jpg"), fixtures::MakeJpeg(640, 480));
  EXPECT_EQ(RunWithMemoryLimit(64 * kMiB,
                               [&real] {
                                 QImage image;
                                 return LoadPictureFile(real, image) ? kLoaded : kFailedOtherwise;
                               }),
            kLoaded);
#endif
}

}  // namespace
}  // namespace qb
