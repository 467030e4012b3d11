#pragma once
// Splits the record area of a metafile into records, and gives handlers
// bounds-checked access to a record's parameters. Nothing here trusts a size
// field: a record must be at least three words long and fit in what is left.

#include <cstddef>
#include <cstdint>
#include <span>

namespace qb::wmf {

// The parameter bytes of one record. Reads outside them yield 0, so a handler
// that has checked the sizes it needs can read freely and one that has not
// still never reads past the record.
class RecordParams {
 public:
  RecordParams() = default;
  explicit RecordParams(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t size() const { return bytes_.size(); }
  // True when [offset, offset + count) lies within the parameters.
  bool Has(size_t offset, size_t count) const;

  uint8_t UInt8(size_t offset) const;
  uint16_t UInt16(size_t offset) const;
  int16_t Int16(size_t offset) const;
  uint32_t UInt32(size_t offset) const;
  int32_t Int32(size_t offset) const;
  // The n-th 16-bit parameter, signed: how most records store coordinates.
  int16_t Word(size_t n) const { return Int16(n * 2); }

  // The bytes from offset on (empty when offset is past the end).
  std::span<const uint8_t> From(size_t offset) const;
  // count bytes at offset, or an empty span when they do not all exist.
  std::span<const uint8_t> Bytes(size_t offset, size_t count) const;

 private:
  std::span<const uint8_t> bytes_;
};

struct Record {
  uint16_t function = 0;
  RecordParams params;
};

class RecordReader {
 public:
  enum class Step { Record, End, Damaged };

  explicit RecordReader(std::span<const uint8_t> records) : data_(records) {}

  // The next record; End when the data is used up, Damaged when a record is
  // shorter than its own header or runs past the end of the data.
  Step Next(Record* record);
  size_t offset() const { return offset_; }

 private:
  std::span<const uint8_t> data_;
  size_t offset_ = 0;
};

}  // namespace qb::wmf
