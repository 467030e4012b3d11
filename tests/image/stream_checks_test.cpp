#include <gtest/gtest.h>

#include "image/gif_check.h"
#include "image/jpeg_check.h"
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

}  // namespace
}  // namespace qb
