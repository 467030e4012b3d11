#include "image/bmp_decoder.h"

#include <unistd.h>

#include <QString>
#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "image/bmp_check.h"
#include "image/bmp_layout.h"
#include "image/bmp_masks.h"
#include "image/bmp_rle.h"
#include "image/byte_fields.h"
#include "image/qt_failure.h"

namespace qb {

namespace {

using namespace bmp;

// Rows are read from a file this many bytes at a time (at least one row).
constexpr qsizetype kBandBytes = 1 << 20;

// Exactly size bytes of fd at offset; false (errno telling why, EIO for a
// file cut short since it was checked) when they cannot be read.
bool ReadAt(int fd, char* into, qsizetype size, std::int64_t offset) {
  while (size > 0) {
    const ssize_t n = ::pread(fd, into, static_cast<std::size_t>(size), static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    into += n;
    size -= n;
    offset += n;
  }
  return true;
}

// One stored row of an uncompressed bitmap into line; false when a colour
// index lies past the colour table.
bool DecodeRow(const uchar* row, const BmpLayout& layout, const PixelUnpacker& unpack, QRgb* line) {
  const int width = layout.width;
  switch (layout.bitCount) {
    case 1:
    case 4:
    case 8: {
      const int bits = layout.bitCount;
      const int perByte = 8 / bits;
      const unsigned valueMask = (1u << bits) - 1;
      const auto colours = static_cast<unsigned>(layout.palette.size());
      for (int x = 0; x < width; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        const unsigned index = (row[x / perByte] >> shift) & valueMask;
        if (index >= colours) return false;
        line[x] = layout.palette[index];
      }
      return true;
    }
    case 16:
      for (int x = 0; x < width; ++x) line[x] = unpack(row[2 * x] | (row[2 * x + 1] << 8));
      return true;
    case 24:
      for (int x = 0; x < width; ++x) line[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
      return true;
    default:
      for (int x = 0; x < width; ++x) {
        const uchar* p = row + 4 * x;
        line[x] = unpack(p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24));
      }
      return true;
  }
}

const QString kUnknownColours = QStringLiteral("the bitmap's pixels use colours its colour table does not have");

// The uncompressed rows of a checked bitmap, a band of them at a time from
// readBand(first stored row, row count, into).
template <typename ReadBand>
Outcome DecodeRows(const BmpLayout& layout, ReadBand readBand, QImage& image) {
  QImage canvas(layout.width, layout.height, QImage::Format_RGB32);
  if (canvas.isNull()) return QtFailure(QStringLiteral("there is not enough memory for the bitmap"));
  const PixelUnpacker unpack(layout.masks);
  const qsizetype stride = (qsizetype{layout.width} * layout.bitCount + 31) / 32 * 4;
  const int bandRows = static_cast<int>(std::clamp<qsizetype>(kBandBytes / stride, 1, layout.height));
  for (int first = 0; first < layout.height; first += bandRows) {
    const int rows = std::min(bandRows, layout.height - first);
    const uchar* band = readBand(first, rows, stride);
    if (band == nullptr) return QtFailure(QStringLiteral("the bitmap cannot be read (%1)").arg(qt_error_string()));
    for (int row = 0; row < rows; ++row) {
      const int stored = first + row;
      const int y = layout.topDown ? stored : layout.height - 1 - stored;
      if (!DecodeRow(band + row * stride, layout, unpack, reinterpret_cast<QRgb*>(canvas.scanLine(y))))
        return QtFailure(kUnknownColours);
    }
  }
  image = std::move(canvas);
  return Outcome::Success();
}

}  // namespace

Outcome DecodeBmp(QByteArrayView file, QImage& image) {
  BmpLayout layout;
  if (Outcome checked = CheckBmpFile(file, &layout); !checked) return checked;
  const QByteArrayView pixels = file.sliced(layout.pixelStart);
  if (layout.compression == kRle8 || layout.compression == kRle4) {
    QImage canvas(layout.width, layout.height, QImage::Format_RGB32);
    if (canvas.isNull()) return QtFailure(QStringLiteral("there is not enough memory for the bitmap"));
    // Pixels the stream skips take the first colour, as in a new bitmap.
    canvas.fill(layout.palette.front());
    DrawRleStream(pixels, layout.bitCount, layout.palette, canvas);
    image = std::move(canvas);
    return Outcome::Success();
  }
  const auto* data = reinterpret_cast<const uchar*>(pixels.data());
  return DecodeRows(
      layout, [data](int first, int, qsizetype stride) { return data + first * stride; }, image);
}

Outcome DecodeBmpFile(int fd, std::int64_t size, QImage& image) {
  QByteArray head(static_cast<qsizetype>(std::min<std::int64_t>(size, kBmpHeadBytes)), Qt::Uninitialized);
  if (!ReadAt(fd, head.data(), head.size(), 0))
    return QtFailure(QStringLiteral("the bitmap cannot be read (%1)").arg(qt_error_string()));
  BmpLayout layout;
  if (Outcome checked = CheckBmpHead(head, size, &layout); !checked) return checked;
  if (layout.compression == kRle8 || layout.compression == kRle4) {
    // A compressed stream is walked whole before it is drawn; it is far
    // smaller than the picture it draws.
    QByteArray file(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (!ReadAt(fd, file.data(), file.size(), 0))
      return QtFailure(QStringLiteral("the bitmap cannot be read (%1)").arg(qt_error_string()));
    return DecodeBmp(file, image);
  }
  QByteArray band;
  return DecodeRows(
      layout,
      [&](int first, int rows, qsizetype stride) -> const uchar* {
        band.resize(rows * stride);
        if (!ReadAt(fd, band.data(), band.size(), layout.pixelStart + first * stride)) return nullptr;
        return reinterpret_cast<const uchar*>(band.constData());
      },
      image);
}

}  // namespace qb
