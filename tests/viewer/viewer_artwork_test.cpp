#include <gtest/gtest.h>

#include "viewer/button_pictures.h"
#include "viewer/viewer_icon.h"

namespace qb::viewer {
namespace {

int OpaquePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 0;
  }
  return count;
}

TEST(ViewerArtwork, IconAtEverySizeWithTransparentCorners) {
  const QIcon icon = ViewerIcon();
  for (const int size : {16, 32, 48, 256}) {
    EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size)) << size;
    const QImage drawn = DrawViewerIcon(size);
    EXPECT_EQ(qAlpha(drawn.pixel(0, size - 1)), 0) << size;
    EXPECT_GT(OpaquePixels(drawn), size * size / 5) << size;
  }
}

TEST(ViewerArtwork, ButtonPicturesDiffer) {
  const ButtonPicture all[] = {ButtonPicture::Open, ButtonPicture::Previous, ButtonPicture::Next, ButtonPicture::Info};
  for (const auto a : all) {
    const QImage picture = DrawButtonPicture(a, 16);
    EXPECT_EQ(picture.size(), QSize(16, 16));
    EXPECT_GT(OpaquePixels(picture), 60);
    for (const auto b : all) {
      if (a != b) {
        EXPECT_NE(picture, DrawButtonPicture(b, 16));
      }
    }
  }
}

}  // namespace
}  // namespace qb::viewer
