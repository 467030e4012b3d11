#include "image/page_record_source.h"

#include <algorithm>

#include "book/plane_bytes.h"

namespace qb {

BookStatus PageRecordSource::Open(ByteSource& source, std::int32_t position) { return rows_.Open(source, position); }

bool PageRecordSource::AndRows(int first, int count, int x0, int x1, std::uint32_t* out) {
  // A few rows a pass: each pass reads a handful of runs side by side. The
  // rows the band holds are taken first; a band is read for the rest.
  constexpr int kRowsAtOnce = 8;
  MaskedPlanes runs[kRowsAtOnce];
  const int end = first + count;
  for (int row = first; row < end;) {
    const int held = rows_.HoldFrom(row);
    if (held == 0) return false;
    const int rows = std::min({kRowsAtOnce, held, end - row});
    for (int i = 0; i < rows; ++i) {
      const MaskedPlanes run = rows_.Row(row + i);
      runs[i] = {run.blue + x0, run.green + x0, run.red + x0};
    }
    AndMaskedRuns(runs, rows, static_cast<std::size_t>(x1 - x0), row > first, out);
    row += rows;
  }
  return true;
}

}  // namespace qb
