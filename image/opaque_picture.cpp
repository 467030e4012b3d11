#include "image/opaque_picture.h"

namespace qb {

namespace {

constexpr QRgb kOpaque = 0xFF000000u;

void SetOpaque(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) line[x] |= kOpaque;
  }
  image.reinterpretAsFormat(QImage::Format_RGB32);
}

}  // namespace

QImage CompositeOverWhite(const QImage& picture) {
  if (!picture.hasAlphaChannel()) return picture.convertToFormat(QImage::Format_RGB32);
  QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  // Premultiplied colour c over white is c + (255 - alpha) per channel.
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = line[x];
      const int white = 255 - qAlpha(p);
      line[x] = qRgb(qRed(p) + white, qGreen(p) + white, qBlue(p) + white);
    }
  }
  image.reinterpretAsFormat(QImage::Format_RGB32);
  return image;
}

QImage IgnoreAlpha(QImage picture) {
  QImage image;
  if (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32) {
    image = std::move(picture);  // a picture handed over is changed in place, without a copy
  } else if (picture.hasAlphaChannel()) {
    image = picture.convertToFormat(QImage::Format_ARGB32);
  } else {
    return picture.convertToFormat(QImage::Format_RGB32);
  }
  SetOpaque(image);  // also clears stray fourth bytes Qt left in Format_RGB32
  return image;
}

}  // namespace qb
