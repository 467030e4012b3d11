#include "tools/qbbtool/page_picture.h"

#include <QBuffer>

#include "common/file_replacement.h"
#include "image/pixel_transfer.h"

namespace qbbtool {

QImage PagePicture(const qb::PageImage& page) {
  if (page.Width <= 0 || page.Height <= 0) return {};
  QImage picture(page.Width, page.Height, QImage::Format_RGB32);
  if (picture.isNull() || qb::PixelsToPicture(picture, page.Pixels) != 0) return {};
  return picture;
}

QByteArray EncodePicture(const QImage& picture, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, format)) return {};
  return bytes;
}

bool WritePictureFile(const std::filesystem::path& path, const QImage& picture, const char* format,
                      std::string* error) {
  const QByteArray bytes = EncodePicture(picture, format);
  if (bytes.isEmpty()) {
    if (error) *error = "the picture cannot be encoded";
    return false;
  }
  return qb::ReplaceFileContent(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                error);
}

}  // namespace qbbtool
