#include <gtest/gtest.h>

#include <QFile>
#include <cstdlib>

#include "image/gif_check.h"
#include "image/jpeg_check.h"
#include "image/picture_loader.h"
#include "picture_fixtures.h"

namespace qb {
namespace {

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

TEST(JpegStreamComplete, WalksSegmentsAndScanData) {
  EXPECT_TRUE(JpegStreamComplete(Bytes({0xFF, 0xD8, 0xFF, 0xD9})));
  // A segment whose payload holds FF D9 does not end the stream.
  EXPECT_FALSE(JpegStreamComplete(Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x06, 0xFF, 0xD9, 0x00})));
  EXPECT_TRUE(JpegStreamComplete(Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0xFF, 0xD9, 0xFF, 0xD9})));
  // Scan data: stuffed zeros, restart markers and fill bytes are not the end.
  EXPECT_TRUE(JpegStreamComplete(
      Bytes({0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56, 0xFF, 0xFF, 0xD9})));
  EXPECT_FALSE(JpegStreamComplete(Bytes({0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0})));
  EXPECT_FALSE(JpegStreamComplete(Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00})));
  EXPECT_FALSE(JpegStreamComplete(Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01, 0xFF, 0xD9})));  // length below 2
  EXPECT_FALSE(JpegStreamComplete(Bytes({0xFF, 0xD8, 0xFF, 0xFF})));
  EXPECT_FALSE(JpegStreamComplete(Bytes({0x00, 0xD8, 0xFF, 0xD9})));
}

TEST(JpegStreamComplete, EveryCutOfARealFileIsCaught) {
  const QByteArray jpeg = fixtures::MakeJpeg(16, 16, 1);
  ASSERT_TRUE(JpegStreamComplete(jpeg));
  for (qsizetype n = 0; n < jpeg.size(); ++n) EXPECT_FALSE(JpegStreamComplete(jpeg.left(n))) << n;
}

TEST(GifFirstFrameComplete, EveryCutBeforeTheFrameEndsIsCaught) {
  const QByteArray gif = fixtures::MakeGif({});
  ASSERT_TRUE(GifFirstFrameComplete(gif));
  EXPECT_TRUE(GifFirstFrameComplete(gif.left(gif.size() - 1)));  // only the trailer is missing
  for (qsizetype n = 0; n < gif.size() - 1; ++n) EXPECT_FALSE(GifFirstFrameComplete(gif.left(n))) << n;
}

TEST(GifFirstFrameComplete, NeedsAFrame) {
  EXPECT_FALSE(GifFirstFrameComplete(QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00\x3B", 14)));
  EXPECT_FALSE(GifFirstFrameComplete(QByteArray("GIF89b\x01\x00\x01\x00\x00\x00\x00\x3B", 14)));
}

// Pictures as image tools write them, of a 40 x 30 picture with a disc of
// (255, 80, 40) at (20, 15) on a ground of (36 (x / 5), 36 (y / 4), 200 when
// x / 10 + y / 10 is odd): a GIF whose LZW codes grow from 7 to 9 bits
// (netpbm's pamtogif) and a JPEG with a restart marker after every block,
// RST0 to RST7 and round again (cjpeg -restart 1B -sample 1x1 -quality 90).
TEST(ToolMadePictures, PassTheStreamChecksAndLoadWhole) {
  struct Case {
    const char* name;
    bool (*complete)(QByteArrayView);
    int tolerance;  // summed over the three channels
  };
  for (const Case& c :
       {Case{"lzw_growth.gif", GifFirstFrameComplete, 0}, Case{"restart_markers.jpg", JpegStreamComplete, 48}}) {
    SCOPED_TRACE(c.name);
    QFile file(QStringLiteral(QB_SOURCE_DIR "/tests/image/pictures/") + QLatin1String(c.name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    EXPECT_TRUE(c.complete(data));
    QImage image;
    const Outcome decoded = DecodePictureData(data, image);
    ASSERT_TRUE(decoded.ok()) << decoded.why();
    ASSERT_EQ(image.size(), QSize(40, 30));
    for (const auto& [x, y] : {std::pair{20, 15}, {2, 2}, {37, 28}, {3, 26}, {33, 3}}) {
      const bool disc = (x - 20) * (x - 20) + (y - 15) * (y - 15) < 100;
      const QRgb want = disc ? qRgb(255, 80, 40) : qRgb(36 * (x / 5), 36 * (y / 4), (x / 10 + y / 10) % 2 * 200);
      const QRgb got = image.pixel(x, y);
      EXPECT_LE(
          std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) + std::abs(qBlue(got) - qBlue(want)),
          c.tolerance)
          << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace qb
