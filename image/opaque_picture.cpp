#include "image/opaque_picture.h"

namespace qb {

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

}  // namespace qb
