#include "tools/qbbtool/page_picture.h"

#include <algorithm>
#include <cstdint>

#include "tools/qbbtool/output_file.h"

namespace qbbtool {

QImage PageAsPicture(qb::PageImage& page) {
  const int width = page.Width;
  const int height = page.Height;
  if (width <= 0 || height <= 0 || page.Pixels.size() < static_cast<std::size_t>(width) * height + 1) return {};
  std::uint32_t* pixels = page.Pixels.data();
  const auto rowLength = static_cast<std::size_t>(width);
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(pixels + top * rowLength, pixels + (top + 1) * rowLength, pixels + bottom * rowLength);
  }
  for (std::size_t k = 0; k < rowLength * static_cast<std::size_t>(height); ++k) pixels[k] |= 0xFF000000u;
  return QImage(reinterpret_cast<const uchar*>(pixels), width, height, static_cast<qsizetype>(4 * rowLength),
                QImage::Format_RGB32);
}

namespace {

OutputFill Encoder(const QImage& picture, const char* format) {
  return [&picture, format](QIODevice& device) { return picture.save(&device, format); };
}

}  // namespace

bool WritePicture(int fd, const QImage& picture, const char* format, std::string* error) {
  return FillDescriptor(fd, Encoder(picture, format), error);
}

bool WritePictureFile(const std::string& path, const QImage& picture, const char* format, std::string* error) {
  return WriteOutputFile(path, Encoder(picture, format), error);
}

}  // namespace qbbtool
