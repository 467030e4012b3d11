#pragma once
// Fixed facts of the book file layout shared by the reader and the writer.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qb::format {

inline constexpr std::string_view kMagic = "*QBB*";
inline constexpr std::string_view kVersion = "0010";
inline constexpr std::size_t kHeaderSize = 109;

inline constexpr std::size_t kAuthorOffset = 9;
inline constexpr std::size_t kTitleOffset = 33;
inline constexpr std::size_t kPageCountOffset = 89;
inline constexpr std::size_t kPasswordOffset = 91;
inline constexpr std::size_t kPriceOffset = 99;
inline constexpr std::size_t kTextLengthOffset = 103;
inline constexpr std::size_t kKeyOffset = 107;
inline constexpr std::size_t kCheckOffset = 108;

inline constexpr std::uint8_t kCheckMask = 0xAA;
inline constexpr std::uint8_t kBlueMask = 0x1E;
inline constexpr std::uint8_t kRedMask = 0x3C;
inline constexpr std::uint8_t kGreenMask = 0x5A;

inline constexpr char kFieldSeparator = 0x7F;
inline constexpr std::int32_t kMinTextLength = 2;
inline constexpr std::int32_t kMaxTextLength = 32767;
inline constexpr int kMaxPictureSide = 32767;
inline constexpr std::size_t kPageHeaderSize = 6;

// Bytes of one page record: its header and three planes of n + 1 samples.
constexpr std::int64_t PageRecordSize(std::int64_t width, std::int64_t height) {
  return static_cast<std::int64_t>(kPageHeaderSize) + 3 * (width * height + 1);
}

}  // namespace qb::format
