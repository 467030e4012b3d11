#include "image/picture_surface_qt.h"

#include "image/picture_loader.h"
#include "image/pixel_transfer.h"

namespace qb {

bool QtPictureSurface::LoadPicture(const std::u16string& path, std::string* error) {
  QString why;
  if (!LoadPictureFile(QString::fromStdU16String(path), picture_, &why)) {
    if (error) *error = why.toStdString();
    return false;
  }
  return true;
}

int QtPictureSurface::Width() const { return picture_.width(); }

int QtPictureSurface::Height() const { return picture_.height(); }

std::int32_t QtPictureSurface::PictureToPixels(PixelArray& pixels) const {
  return qb::PictureToPixels(picture_, pixels);
}

bool QtPictureSurface::SetPage(const PageImage& page) {
  if (!TransferSizeAllowed(page.Width, page.Height)) return false;
  QImage surface(page.Width, page.Height, QImage::Format_RGB32);
  if (surface.isNull() || PixelsToPicture(surface, page.Pixels) != 0) return false;
  picture_ = std::move(surface);
  return true;
}

}  // namespace qb
