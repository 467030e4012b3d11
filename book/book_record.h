#pragma once
// The in-memory forms of a book file: its header with the three free texts
// and the page table, and one decoded page.

#include <cstdint>
#include <string>
#include <vector>

namespace qb {

// Bytes blue, green, red, 0 per pixel (0x00RRGGBB), bottom row first, plus
// one spare element that is always 0: a 32-bit bottom-up DIB's layout.
using PixelArray = std::vector<std::uint32_t>;

inline constexpr std::size_t kVersionWidth = 4;
inline constexpr std::size_t kAuthorWidth = 24;
inline constexpr std::size_t kTitleWidth = 56;
inline constexpr std::size_t kPasswordWidth = 8;

struct BookRecord {
  // Fixed-width texts always hold exactly their width (blank-padded).
  std::u16string Version = std::u16string(kVersionWidth, u' ');
  std::u16string Author = std::u16string(kAuthorWidth, u' ');
  std::u16string Title = std::u16string(kTitleWidth, u' ');
  std::int16_t PageCount = 0;
  std::u16string Password = std::u16string(kPasswordWidth, u' ');
  std::int32_t Price = 0;
  std::int16_t Key = 0;
  std::int16_t Check = 0;
  std::int32_t TextLength = 0;
  std::u16string Comment;
  std::u16string Url;
  std::u16string Mail;
  std::vector<std::int32_t> PageTable;  // 1-based file positions, entry 0 = page 1

  bool operator==(const BookRecord&) const = default;
};

struct PageImage {
  std::int16_t Width = 0;
  std::int16_t Height = 0;
  std::int16_t Reserved = 0;
  PixelArray Pixels;
};

}  // namespace qb
