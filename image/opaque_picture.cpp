#include "image/opaque_picture.h"

namespace qb {

QImage CompositeOverWhite(QImage picture) {
  if (!picture.hasAlphaChannel()) {
    picture.convertTo(QImage::Format_RGB32);
    return picture;
  }
  // A 32-bit picture is blended where it lies: a copy would double the
  // memory of the largest pages.
  if (picture.format() != QImage::Format_ARGB32 && picture.format() != QImage::Format_ARGB32_Premultiplied)
    picture.convertTo(QImage::Format_ARGB32_Premultiplied);
  const bool premultiplied = picture.format() == QImage::Format_ARGB32_Premultiplied;
  // Premultiplied colour c over white is c + (255 - alpha) per channel.
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb p = premultiplied ? line[x] : qPremultiply(line[x]);
      const int white = 255 - qAlpha(p);
      line[x] = qRgb(qRed(p) + white, qGreen(p) + white, qBlue(p) + white);
    }
  }
  picture.reinterpretAsFormat(QImage::Format_RGB32);
  return picture;
}

}  // namespace qb
