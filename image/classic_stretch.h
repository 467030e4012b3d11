#pragma once
// The stretch both programs show pages with, as the classic desktop's
// default stretch mode does it. Each axis on its own, S source pixels onto
// D destination pixels:
//   equal      a pixel-exact copy;
//   enlarging  destination pixel j shows source pixel floor(j * S / D);
//   shrinking  source pixel i belongs to destination pixel floor(i * D / S),
//              and a destination pixel is the bitwise AND of the 0x00RRGGBB
//              values of all the source pixels that belong to it.
// The AND keeps dark detail on a light ground: a thin black line survives any
// shrink. No Qt here; the sources and the target are plain memory.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/page_fit.h"

namespace qb {

// The source pixels one destination pixel takes on one axis.
struct StretchSpan {
  int first = 0;
  int count = 0;
  bool operator==(const StretchSpan&) const = default;
};

// Destination pixel j (0 <= j < destination) of an axis of `source` pixels
// stretched onto `destination` pixels.
StretchSpan SpanOfDestination(int j, int source, int destination);

// Rows of a source picture as the stretch asks for them, top row 0.
class StretchSource {
 public:
  virtual ~StretchSource() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Writes, for the columns x0 … x1 - 1, the AND of the 0x00RRGGBB values
  // of rows first … first + count - 1 into out (element 0 = column x0).
  // false: the rows could not be had (a book cut short since it was opened).
  virtual bool AndRows(int first, int count, int x0, int x1, std::uint32_t* out) = 0;
};

// A picture already in memory: rows of 0x??RRGGBB values, top row first;
// the top byte is ignored.
class PixelRowsSource : public StretchSource {
 public:
  PixelRowsSource(const std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride)
      : pixels_(pixels), width_(width), height_(height), stride_(stride) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool AndRows(int first, int count, int x0, int x1, std::uint32_t* out) override;

 private:
  const std::uint32_t* pixels_;
  int width_;
  int height_;
  std::ptrdiff_t stride_;  // in pixels
};

// Where the stretch writes: 0xFFRRGGBB pixels, top row first.
struct StretchTarget {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // in pixels
};

// Keeps its working memory (a few rows' worth of the destination) from one
// stretch to the next.
class ClassicStretch {
 public:
  // Stretches the whole source onto `place`, which may reach outside the
  // target: what falls outside is neither computed nor read. Pixels of the
  // target outside `place` are left alone. Stops at the first rows the
  // source cannot give and returns false: the target is then partly drawn.
  [[nodiscard]] bool Draw(StretchSource& source, const DrawRect& place, const StretchTarget& target);

 private:
  std::vector<StretchSpan> columns_;
  std::vector<std::uint32_t> rows_;
};

}  // namespace qb
