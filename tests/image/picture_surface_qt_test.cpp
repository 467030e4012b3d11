#include "image/picture_surface_qt.h"

#include <gtest/gtest.h>

#include "picture_fixtures.h"

namespace qb {
namespace {

TEST(QtPictureSurface, LoadsAPictureAndHandsOverItsPixels) {
  QTemporaryDir dir;
  const QString path = fixtures::WriteFile(dir, QStringLiteral("page.bmp"), fixtures::MakeBmp({}));
  QtPictureSurface surface;
  const Outcome loaded = surface.LoadPicture(path.toStdU16String());
  ASSERT_TRUE(loaded.ok()) << loaded.why();
  EXPECT_EQ(surface.Width(), 13);
  EXPECT_EQ(surface.Height(), 7);
  PixelArray pixels;
  ASSERT_EQ(surface.PictureToPixels(pixels), 13 * 7);
  ASSERT_EQ(pixels.size(), 13u * 7 + 1);
  EXPECT_EQ(pixels[0], 0x000000FFu);            // bottom-left: blue
  EXPECT_EQ(pixels[13 * 6 + 12], 0x0000FF00u);  // top-right: green
  EXPECT_EQ(pixels.back(), 0u);
}

TEST(QtPictureSurface, StreamsThePixelsTheArrayHolds) {
  // Row by row, bottom row first, as PictureToPixels lays them out; a
  // sink that stops ends the stream.
  QTemporaryDir dir;
  const QString path = fixtures::WriteFile(dir, QStringLiteral("page.bmp"), fixtures::MakeBmp({}));
  QtPictureSurface surface;
  ASSERT_TRUE(surface.LoadPicture(path.toStdU16String()).ok());
  PixelArray expected;
  ASSERT_EQ(surface.PictureToPixels(expected), 13 * 7);
  PixelArray streamed;
  ASSERT_TRUE(surface.StreamPixels([&](const std::uint32_t* pixels, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) streamed.push_back(pixels[k] & 0xFFFFFFu);
    return true;
  }));
  streamed.push_back(0);
  EXPECT_EQ(streamed, expected);
  int runs = 0;
  EXPECT_FALSE(surface.StreamPixels([&](const std::uint32_t*, std::size_t) { return ++runs < 2; }));
  EXPECT_EQ(runs, 2);
  EXPECT_FALSE(QtPictureSurface().StreamPixels([](const std::uint32_t*, std::size_t) { return true; }));
}

TEST(QtPictureSurface, FailedLoadKeepsThePreviousPictureAndNamesTheFile) {
  QTemporaryDir dir;
  const QString good = fixtures::WriteFile(dir, QStringLiteral("good.bmp"), fixtures::MakeBmp({}));
  const QString bad = fixtures::WriteFile(dir, QStringLiteral("bad ページ.bmp"), "BM garbage");
  QtPictureSurface surface;
  ASSERT_TRUE(surface.LoadPicture(good.toStdU16String()).ok());
  const Outcome loaded = surface.LoadPicture(bad.toStdU16String());
  EXPECT_FALSE(loaded.ok());
  EXPECT_NE(loaded.why().find(bad.toStdString()), std::string::npos) << loaded.why();
  EXPECT_EQ(surface.Width(), 13);
  EXPECT_EQ(surface.image().pixel(0, 0), fixtures::kRed);
}

}  // namespace
}  // namespace qb
