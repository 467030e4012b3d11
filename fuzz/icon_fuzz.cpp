// Feeds arbitrary bytes to the icon decoder: it must refuse or decode without
// reading out of bounds, whatever the directory and image headers claim.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "image/icon_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QImage image;
  if (qb::DecodeIcon(bytes, image)) {
    // A decoded icon is always an opaque picture of a size an icon can have.
    if (image.format() != QImage::Format_RGB32 || image.width() < 1 || image.width() > qb::kMaxIconSide ||
        image.height() < 1 || image.height() > qb::kMaxIconSide)
      __builtin_trap();
  }
  return 0;
}
