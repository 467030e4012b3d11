#pragma once
// A page record as the classic stretch reads it, straight from its book:
// the rows it asks for are read a band at a time (book/page_rows) and
// unmasked, ANDed and interleaved in one pass, so a page is never held whole.

#include <cstdint>

#include "book/byte_source.h"
#include "book/page_rows.h"
#include "image/classic_stretch.h"

namespace qb {

// A page record read straight from its book, a band of rows per plane at a
// time, into buffers it keeps from page to page (never page-sized).
class PageRecordSource : public StretchSource {
 public:
  // bandRows as for PageRows: 0 chooses by the page's width.
  explicit PageRecordSource(int bandRows = 0) : rows_(bandRows) {}

  // Checks the record at the 1-based position: sane dimensions, whole
  // record inside source.Size(). The source must outlive the use of this.
  [[nodiscard]] BookStatus Open(ByteSource& source, std::int32_t position);
  // Lets go of the source; the band memory stays for the next page.
  void Close() { rows_.Close(); }
  int Width() const override { return rows_.Width(); }
  int Height() const override { return rows_.Height(); }
  std::int16_t Reserved() const { return rows_.Reserved(); }
  bool AndRows(int first, int count, int x0, int x1, std::uint32_t* out) override;

 private:
  PageRows rows_;
};

}  // namespace qb
