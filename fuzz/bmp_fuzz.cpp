// Feeds arbitrary bytes to the bitmap decoder: it must refuse or decode
// without reading out of bounds, whatever the headers, masks and compressed
// streams claim. Bitmaps that check out larger than a screen are skipped so
// the fuzzer spends its time on headers and streams rather than on filling
// huge pictures.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "image/bmp_check.h"
#include "image/bmp_decoder.h"

namespace {
constexpr std::int64_t kMaxFuzzedPixels = 4096 * 4096;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  qb::BmpLayout layout;
  if (qb::CheckBmpFile(bytes, &layout) && std::int64_t{layout.width} * layout.height > kMaxFuzzedPixels) return 0;
  QImage image;
  const qb::Outcome decoded = qb::DecodeBmp(bytes, image);
  if (decoded) {
    if (image.format() != QImage::Format_RGB32 || image.width() != layout.width || image.height() != layout.height)
      __builtin_trap();
  } else if (decoded.why().empty() || !image.isNull()) {
    __builtin_trap();
  }
  return 0;
}
