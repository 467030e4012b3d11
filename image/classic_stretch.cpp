#include "image/classic_stretch.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qb {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kColour = 0x00FFFFFFu;

// The visible part [begin, end) of a destination run of `length` pixels
// starting at `offset` on a target of `size` pixels.
struct Visible {
  int begin = 0;
  int end = 0;
};

Visible Clip(int offset, int length, int size) {
  const std::int64_t begin = std::max<std::int64_t>(0, offset);
  const std::int64_t end = std::min<std::int64_t>(size, static_cast<std::int64_t>(offset) + length);
  if (end <= begin) return {};
  return {static_cast<int>(begin), static_cast<int>(end)};
}

// The view is written once and read only when it is shown: its pixels pass
// by the cache, instead of each costing a read of the line it lands in.
inline void Put(std::uint32_t* at, std::uint32_t v) {
#if defined(__SSE2__)
  _mm_stream_si32(reinterpret_cast<int*>(at), static_cast<int>(v));
#else
  *at = v;
#endif
}

}  // namespace

StretchSpan SpanOfDestination(int j, int source, int destination) {
  const std::int64_t s = source;
  const std::int64_t d = destination;
  if (d >= s) return {static_cast<int>(j * s / d), 1};
  // Source pixel i belongs to j when j <= i * D / S < j + 1.
  const std::int64_t first = (j * s + d - 1) / d;
  const std::int64_t end = ((j + 1) * s + d - 1) / d;
  return {static_cast<int>(first), static_cast<int>(end - first)};
}

bool PixelRowsSource::AndRows(int first, int count, int x0, int x1, std::uint32_t* out) {
  const std::uint32_t* row = pixels_ + first * stride_ + x0;
  const int n = x1 - x0;
  for (int x = 0; x < n; ++x) out[x] = row[x] & kColour;
  for (int k = 1; k < count; ++k) {
    row += stride_;
    for (int x = 0; x < n; ++x) out[x] &= row[x];
  }
  return true;
}

bool ClassicStretch::Draw(StretchSource& source, const DrawRect& place, const StretchTarget& target) {
  const int sw = source.Width();
  const int sh = source.Height();
  if (sw <= 0 || sh <= 0 || place.width <= 0 || place.height <= 0) return true;
  const Visible across = Clip(place.x, place.width, target.width);
  const Visible down = Clip(place.y, place.height, target.height);
  if (across.begin == across.end || down.begin == down.end) return true;

  const int visibleColumns = across.end - across.begin;
  columns_.resize(static_cast<std::size_t>(visibleColumns));
  for (int c = 0; c < visibleColumns; ++c) {
    columns_[static_cast<std::size_t>(c)] = SpanOfDestination(across.begin - place.x + c, sw, place.width);
  }
  // Only the source columns that reach a visible destination column are read.
  const int x0 = columns_.front().first;
  const int x1 = columns_.back().first + columns_.back().count;
  rows_.resize(static_cast<std::size_t>(x1 - x0));
  std::uint32_t* run = rows_.data();
  int widestColumn = 0;
  for (auto& column : columns_) {
    column.first -= x0;
    widestColumn = std::max(widestColumn, column.count);
  }

  StretchSpan previous{-1, 0};
  const std::uint32_t* previousRow = nullptr;
  for (int y = down.begin; y < down.end; ++y) {
    std::uint32_t* out = target.pixels + y * target.stride + across.begin;
    const StretchSpan rows = SpanOfDestination(y - place.y, sh, place.height);
    if (rows == previous) {
      // An enlarged row repeats the one above it.
      std::memcpy(out, previousRow, static_cast<std::size_t>(visibleColumns) * sizeof *out);
      continue;
    }
    if (!source.AndRows(rows.first, rows.count, x0, x1, run)) {
#if defined(__SSE2__)
      _mm_sfence();
#endif
      return false;
    }
    if (widestColumn <= 2) {
      // Shrunk by at most 2 (or not at all): one or two pixels each, no loop.
      for (int c = 0; c < visibleColumns; ++c) {
        const StretchSpan column = columns_[static_cast<std::size_t>(c)];
        Put(out + c, kOpaque | (run[column.first] & run[column.first + column.count - 1]));
      }
    } else {
      for (int c = 0; c < visibleColumns; ++c) {
        const StretchSpan column = columns_[static_cast<std::size_t>(c)];
        const std::uint32_t* from = run + column.first;
        std::uint32_t v = from[0];
        for (int k = 1; k < column.count; ++k) v &= from[k];
        Put(out + c, kOpaque | v);
      }
    }
    previous = rows;
    previousRow = out;
  }
#if defined(__SSE2__)
  _mm_sfence();
#endif
  return true;
}

}  // namespace qb
