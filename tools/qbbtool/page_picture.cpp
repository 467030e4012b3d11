#include "tools/qbbtool/page_picture.h"

#include "image/pixel_transfer.h"

namespace qbbtool {

QImage PagePicture(const qb::PageImage& page) {
  if (page.Width <= 0 || page.Height <= 0) return {};
  QImage picture(page.Width, page.Height, QImage::Format_RGB32);
  if (picture.isNull() || qb::PixelsToPicture(picture, page.Pixels) != 0) return {};
  return picture;
}

}  // namespace qbbtool
