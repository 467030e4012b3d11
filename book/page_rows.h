#pragma once
// A page record's rows, read from its book a band at a time with
// ByteSource::ReadAt into memory kept from page to page: a few hundred KiB,
// never the page. Each band is one forward read per plane, so the file is
// read in order, and a book cut short since it was opened is a failed read
// (a damaged page), never a signal. Rows are counted from the top of the
// picture, as a screen counts them; the planes store them bottom row first.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "book/book_reader.h"
#include "book/byte_source.h"
#include "book/plane_bytes.h"

namespace qb {

class PageRows {
 public:
  // Bytes of one plane a band holds by default: the three planes of a band
  // stay in the second-level cache while they are walked.
  static constexpr std::size_t kBandBytes = std::size_t{128} << 10;

  // bandRows > 0 fixes the rows of a band; otherwise as many rows as fit
  // kBandBytes (at least one).
  explicit PageRows(int bandRows = 0) : fixedBandRows_(bandRows) {}

  // Checks the record at the 1-based position of source: its dimensions
  // must be sane and the whole record inside the source. Returns
  // kBookSound, or kBookDamaged (nothing usable). The source must outlive
  // the reads.
  [[nodiscard]] BookStatus Open(ByteSource& source, std::int32_t position);
  // Forgets the source; the band memory stays for the next page.
  void Close();

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::int16_t Reserved() const { return reserved_; }
  // Rows one band holds (at most Height()).
  int BandRows() const { return bandRows_; }

  // Makes row (0 = top) and the rows below it in its band available
  // through Row(), reading a band from row down the picture, the way the
  // stretch walks it, unless the band held has it. Returns how many rows
  // from row on are held (at least 1), or 0 when the source no longer holds
  // them.
  int HoldFrom(int row);
  // A row that the last HoldFrom made available. The band's rows lie in
  // memory bottom row first, as in the file.
  MaskedPlanes Row(int row) const;

 private:
  bool ReadBand(int first);

  int fixedBandRows_;
  ByteSource* source_ = nullptr;
  std::int64_t planesOffset_ = 0;  // the blue plane in the source
  int width_ = 0;
  int height_ = 0;
  std::int16_t reserved_ = 0;
  int bandRows_ = 0;
  int bandFirst_ = 0;  // top row of the band held
  int bandCount_ = 0;
  std::vector<std::uint8_t> band_;  // blue, red, green: bandRows_ rows each
};

}  // namespace qb
