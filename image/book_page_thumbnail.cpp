#include "image/book_page_thumbnail.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "book/book_file.h"
#include "book/book_format.h"
#include "book/book_reader.h"
#include "book/page_rows.h"
#include "book/plane_bytes.h"
#include "image/classic_stretch.h"

namespace qb {

namespace {

QImage Shrink(PageRows& rows, ByteSource& source, std::int32_t position, QSize size) {
  if (rows.Open(source, position) != kBookSound) return {};
  const int sw = rows.Width();
  const int sh = rows.Height();
  if (size.isEmpty() || size.width() > sw || size.height() > sh) return {};
  QImage out(size, QImage::Format_RGB32);
  if (out.isNull()) return {};

  const std::size_t width = static_cast<std::size_t>(sw);
  std::vector<StretchSpan> columns(static_cast<std::size_t>(size.width()));
  for (int x = 0; x < size.width(); ++x) columns[static_cast<std::size_t>(x)] = SpanOfDestination(x, sw, size.width());
  // Per colour (blue, green, red), the sums of the rows that fall on one
  // thumbnail row: 16-bit sums of up to kRowsPerShortSum rows, half the
  // work of wider ones; only taller spans need 32-bit totals.
  std::vector<std::uint16_t> shortSums(3 * width);
  std::vector<std::uint32_t> sums;
  const auto writeRow = [&](const auto* blue, int rowCount, QRgb* line) {
    const auto* green = blue + width;
    const auto* red = green + width;
    for (int x = 0; x < size.width(); ++x) {
      const StretchSpan across = columns[static_cast<std::size_t>(x)];
      std::uint64_t b = 0, g = 0, r = 0;
      for (int k = across.first; k < across.first + across.count; ++k) {
        b += blue[k];
        g += green[k];
        r += red[k];
      }
      const std::uint64_t count = static_cast<std::uint64_t>(across.count) * static_cast<std::uint64_t>(rowCount);
      const auto average = [count](std::uint64_t sum) { return static_cast<int>((sum + count / 2) / count); };
      line[x] = qRgb(average(r), average(g), average(b));
    }
  };
  for (int y = 0; y < size.height(); ++y) {
    const StretchSpan down = SpanOfDestination(y, sh, size.height());
    const int end = down.first + down.count;
    if (down.count > kRowsPerShortSum) sums.assign(3 * width, 0u);
    for (int group = down.first; group < end; group += kRowsPerShortSum) {
      std::fill(shortSums.begin(), shortSums.end(), std::uint16_t{0});
      // Up to eight rows a pass: each pass reads a handful of rows side by side.
      constexpr int kRowsAtOnce = 8;
      const int groupEnd = std::min(group + kRowsPerShortSum, end);
      for (int row = group; row < groupEnd;) {
        const int held = rows.HoldFrom(row);
        if (held == 0) return {};
        const int count = std::min({kRowsAtOnce, held, groupEnd - row});
        const std::uint8_t* blues[kRowsAtOnce];
        const std::uint8_t* greens[kRowsAtOnce];
        const std::uint8_t* reds[kRowsAtOnce];
        for (int i = 0; i < count; ++i) {
          const MaskedPlanes planes = rows.Row(row + i);
          blues[i] = planes.blue;
          greens[i] = planes.green;
          reds[i] = planes.red;
        }
        AddUnmaskedRuns(blues, count, width, format::kBlueMask, shortSums.data());
        AddUnmaskedRuns(greens, count, width, format::kGreenMask, shortSums.data() + width);
        AddUnmaskedRuns(reds, count, width, format::kRedMask, shortSums.data() + 2 * width);
        row += count;
      }
      if (down.count > kRowsPerShortSum) {
        std::transform(shortSums.begin(), shortSums.end(), sums.begin(), sums.begin(), std::plus<>());
      }
    }
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    if (down.count > kRowsPerShortSum) {
      writeRow(sums.data(), down.count, line);
    } else {
      writeRow(shortSums.data(), down.count, line);
    }
  }
  return out;
}

}  // namespace

QImage ShrinkBookPage(const std::u16string& path, std::int32_t position, QSize size) {
  BookFile file(path);
  // The thread's band memory serves thumbnail after thumbnail.
  thread_local PageRows rows;
  QImage out = Shrink(rows, file, position, size);
  rows.Close();
  return out;
}

}  // namespace qb
