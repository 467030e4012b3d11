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
    EXPECT_EQ(RunWithMemoryLimit(64 * kMiB, load), kRefused);
  }
  // The bound leaves room for real pictures.
  const QString real = fixtures::WriteFile(dir, QStringLiteral("real.jpg"), fixtures::MakeJpeg(640, 480));
  EXPECT_EQ(RunWithMemoryLimit(64 * kMiB,
                               [&real] {
                                 QImage image;
                                 return LoadPictureFile(real, image, nullptr) ? kLoaded : kFailedOtherwise;
                               }),
            kLoaded);
#endif
}

}  // namespace
}  // namespace qb
