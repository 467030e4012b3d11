#include "image/picture_surface_qt.h"

#include "image/picture_loader.h"
#include "image/pixel_transfer.h"

namespace qb {

Outcome QtPictureSurface::LoadPicture(const std::u16string& path) {
  return LoadPictureFile(QString::fromStdU16String(path), picture_);
}

Outcome QtPictureSurface::LoadPictureData(const QByteArray& data) { return DecodePictureData(data, picture_); }

int QtPictureSurface::Width() const { return picture_.width(); }

int QtPictureSurface::Height() const { return picture_.height(); }

std::int32_t QtPictureSurface::PictureToPixels(PixelArray& pixels) const {
  return qb::PictureToPixels(picture_, pixels);
}

bool QtPictureSurface::StreamPixels(const PixelSink& sink) const {
  if (picture_.isNull() || !TransferSizeAllowed(picture_.width(), picture_.height())) return false;
  const bool direct = picture_.format() == QImage::Format_RGB32 || picture_.format() == QImage::Format_ARGB32;
  if (!direct) return PictureSurface::StreamPixels(sink);
  const auto width = static_cast<std::size_t>(picture_.width());
  for (int row = picture_.height() - 1; row >= 0; --row) {
    if (!sink(reinterpret_cast<const std::uint32_t*>(picture_.constScanLine(row)), width)) return false;
  }
  return true;
}

}  // namespace qb
