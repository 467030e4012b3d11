#include "image/metafile/metafile_reader.h"

namespace qb::wmf {

namespace {
constexpr size_t kRecordHeaderBytes = 6;
constexpr uint32_t kMinimumRecordWords = 3;
}  // namespace

bool RecordParams::Has(size_t offset, size_t count) const {
  return offset <= bytes_.size() && count <= bytes_.size() - offset;
}

uint8_t RecordParams::UInt8(size_t offset) const { return Has(offset, 1) ? bytes_[offset] : 0; }

uint16_t RecordParams::UInt16(size_t offset) const {
  if (!Has(offset, 2)) return 0;
  return static_cast<uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
}

int16_t RecordParams::Int16(size_t offset) const { return static_cast<int16_t>(UInt16(offset)); }

uint32_t RecordParams::UInt32(size_t offset) const {
  if (!Has(offset, 4)) return 0;
  return static_cast<uint32_t>(bytes_[offset]) | (static_cast<uint32_t>(bytes_[offset + 1]) << 8) |
         (static_cast<uint32_t>(bytes_[offset + 2]) << 16) | (static_cast<uint32_t>(bytes_[offset + 3]) << 24);
}

int32_t RecordParams::Int32(size_t offset) const { return static_cast<int32_t>(UInt32(offset)); }

std::span<const uint8_t> RecordParams::From(size_t offset) const {
  if (offset >= bytes_.size()) return {};
  return bytes_.subspan(offset);
}

std::span<const uint8_t> RecordParams::Bytes(size_t offset, size_t count) const {
  if (!Has(offset, count)) return {};
  return bytes_.subspan(offset, count);
}

RecordReader::Step RecordReader::Next(Record* record) {
  const size_t remaining = data_.size() - offset_;
  if (remaining == 0) return Step::End;
  if (remaining < kRecordHeaderBytes) return Step::Damaged;
  const RecordParams header(data_.subspan(offset_, kRecordHeaderBytes));
  const uint32_t words = header.UInt32(0);
  if (words < kMinimumRecordWords || words > remaining / 2) return Step::Damaged;
  const size_t bytes = static_cast<size_t>(words) * 2;
  record->function = header.UInt16(4);
  record->params = RecordParams(data_.subspan(offset_ + kRecordHeaderBytes, bytes - kRecordHeaderBytes));
  offset_ += bytes;
  return Step::Record;
}

}  // namespace qb::wmf
