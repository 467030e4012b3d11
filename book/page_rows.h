#pragma once
// A page record's rows, read where they lie in the book: the record is
// mapped into memory, not copied, so drawing or shrinking a page never
// holds all of its pixels, and a plain read of the file is the only cost
// it cannot avoid. Rows are counted from the top of the picture, as a
// screen counts them; the planes store them bottom row first.

#include <cstdint>
#include <string>

#include "book/book_reader.h"
#include "book/plane_bytes.h"

namespace qb {

class PageRows {
 public:
  PageRows() = default;
  ~PageRows();
  PageRows(const PageRows&) = delete;
  PageRows& operator=(const PageRows&) = delete;

  // Opens the book and checks the record at the 1-based position: its
  // dimensions must be sane and the whole record inside the file.
  // Returns kBookSound, or kBookDamaged (nothing usable) when it is not.
  [[nodiscard]] BookStatus Open(const std::u16string& path, std::int32_t position);
  // Lets go of the record; Open does so too before it maps the next one.
  void Close();

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::int16_t Reserved() const { return reserved_; }

  // Row `row` (0 = top, below Height()).
  MaskedPlanes Row(int row) const;
  // All Width() x Height() pixels in file order, bottom row first.
  MaskedPlanes Planes() const;

 private:
  void* map_ = nullptr;
  std::size_t mapLength_ = 0;
  const std::uint8_t* record_ = nullptr;  // the blue plane
  int width_ = 0;
  int height_ = 0;
  std::int16_t reserved_ = 0;
};

}  // namespace qb
