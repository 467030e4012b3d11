#pragma once
// Writing book files. The book is written to a temporary file beside the
// target and renamed over it only when complete, so a failed export never
// costs the author the previous book.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "book/book_record.h"
#include "book/picture_surface.h"

namespace qb {

enum WriteStatus : int {
  kWriteOk = 0,
  kWritePictureFailed = 1,  // a page picture could not be loaded
  kWriteTextTooLong = 5,    // the text block exceeds 32,767 bytes
  kWriteTooLarge = 6,       // a picture side exceeds 32,767 pixels, or the book outgrows 2 GiB positions
  kWriteIoError = 7,        // the file could not be created, written or renamed
  kWriteNoPages = 8,        // PageCount < 1, or fewer pictures than pages
  kWriteCancelled = 9,      // the progress callback asked to stop
};

struct WriteDetail {
  int pictureIndex = -1;  // 0-based page whose picture failed, or -1
  std::string message;    // why, in plain words (UTF-8)
};

// Called before page i (0-based) of count is loaded; returning false cancels.
using WriteProgress = std::function<bool(int page, int count)>;

// Writes book (PageCount pages from pictures[0 .. PageCount-1]) to path.
// Sets book.TextLength and book.PageTable on success.
[[nodiscard]] WriteStatus WriteBook(const std::u16string& path, BookRecord& book,
                                    const std::vector<std::u16string>& pictures, PictureSurface& surface,
                                    WriteDetail* detail = nullptr, const WriteProgress& progress = {});

// Header helpers: the first (number of characters of text) bytes of its code
// page 932 form at offset, and little-endian integers.
void TextToBytes(std::string& header, std::u16string_view text, std::size_t offset);
void PutInt16(std::string& header, std::int16_t value, std::size_t offset);
void PutInt32(std::string& header, std::int32_t value, std::size_t offset);

}  // namespace qb
