#include "book/page_rows.h"

#include <algorithm>

#include "book/book_file.h"
#include "book/book_format.h"

namespace qb {

void PageRows::Close() {
  source_ = nullptr;
  width_ = height_ = 0;
  reserved_ = 0;
  bandRows_ = bandFirst_ = bandCount_ = 0;
}

BookStatus PageRows::Open(ByteSource& source, std::int32_t position) {
  Close();
  PageImage head;
  if (!ReadRecordHeader(source, position, head)) return kBookDamaged;
  source_ = &source;
  planesOffset_ = static_cast<std::int64_t>(position) - 1 + format::kPageHeaderSize;
  width_ = head.Width;
  height_ = head.Height;
  reserved_ = head.Reserved;
  const int fitting = width_ > 0 ? static_cast<int>(std::min<std::size_t>(kBandBytes / width_, 32767)) : 1;
  bandRows_ = std::clamp(fixedBandRows_ > 0 ? fixedBandRows_ : fitting, 1, std::max(1, height_));
  // Grows to the widest band seen and stays: memory touched once is not
  // faulted in again on the next page.
  const std::size_t needed = 3 * static_cast<std::size_t>(bandRows_) * static_cast<std::size_t>(width_);
  if (band_.size() < needed) band_.resize(needed);
  return kBookSound;
}

bool PageRows::ReadBand(int first) {
  bandCount_ = 0;
  const int count = std::min(bandRows_, height_ - first);
  const std::size_t width = static_cast<std::size_t>(width_);
  const std::size_t bytes = static_cast<std::size_t>(count) * width;
  const std::int64_t plane = static_cast<std::int64_t>(width) * height_ + 1;
  // The band's bottom row comes first in the file.
  const std::int64_t at = planesOffset_ + static_cast<std::int64_t>(height_ - first - count) * width_;
  const std::size_t stride = static_cast<std::size_t>(bandRows_) * width;
  for (int p = 0; p < 3; ++p) {
    if (!source_->ReadAt(at + p * plane, bytes, band_.data() + p * stride)) return false;
  }
  bandFirst_ = first;
  bandCount_ = count;
  return true;
}

int PageRows::HoldFrom(int row) {
  if (!source_ || row < 0 || row >= height_) return 0;
  if (row < bandFirst_ || row >= bandFirst_ + bandCount_) {
    if (!ReadBand(row)) return 0;
  }
  return bandFirst_ + bandCount_ - row;
}

MaskedPlanes PageRows::Row(int row) const {
  const std::size_t width = static_cast<std::size_t>(width_);
  const std::size_t stride = static_cast<std::size_t>(bandRows_) * width;
  const std::size_t at = static_cast<std::size_t>(bandFirst_ + bandCount_ - 1 - row) * width;
  const std::uint8_t* blue = band_.data() + at;
  return {blue, blue + 2 * stride, blue + stride};
}

}  // namespace qb
