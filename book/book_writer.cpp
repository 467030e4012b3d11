#include "book/book_writer.h"

#include <random>

#include "book/book_format.h"
#include "book/plane_bytes.h"
#include "common/cp932.h"
#include "common/file_replacement.h"
#include "common/text_helpers.h"
#include "common/utf8.h"

namespace qb {
namespace {

std::uint8_t DrawKey() {
  static thread_local std::mt19937 generator{std::random_device{}()};
  return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 255)(generator));
}

WriteStatus Fail(WriteDetail* detail, WriteStatus status, std::string message, int pictureIndex = -1) {
  if (detail) {
    detail->pictureIndex = pictureIndex;
    detail->message = std::move(message);
  }
  return status;
}

std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

std::string PageTableBytes(const std::vector<std::int32_t>& table) {
  std::string bytes(4 * table.size(), '\0');
  for (std::size_t i = 0; i < table.size(); ++i) PutInt32(bytes, table[i], 4 * i);
  return bytes;
}

// The three planes of a page, one slice at a time: a page is never held
// whole, only as long as the surface holds its picture.
struct PlaneSlices {
  static constexpr std::size_t kSlice = 256 * 1024;
  std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(3 * kSlice);
  bool readFailed = false;
};

// Writes the page record at offset: its header, then the masked planes
// taken from the surface in slices, each ending in its mask (the spare
// sample). The record's size comes from width and height, its planes from
// the surface: they must agree, or the next page would land inside this one.
bool WritePageRecord(FileReplacement& file, std::int64_t offset, const PictureSurface& surface, int width, int height,
                     PlaneSlices& slices) {
  slices.readFailed = false;
  std::string head(format::kPageHeaderSize, '\0');
  PutInt16(head, static_cast<std::int16_t>(width), 0);
  PutInt16(head, static_cast<std::int16_t>(height), 2);
  if (!file.WriteAt(offset, head)) return false;

  const std::size_t n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  const std::int64_t planes = offset + static_cast<std::int64_t>(format::kPageHeaderSize);
  const auto samples = static_cast<std::int64_t>(n) + 1;
  std::uint8_t* blue = slices.bytes.data();
  std::uint8_t* red = blue + PlaneSlices::kSlice;
  std::uint8_t* green = red + PlaneSlices::kSlice;
  std::size_t done = 0;
  std::size_t filled = 0;
  bool written = true;
  const auto flush = [&] {
    const auto at = planes + static_cast<std::int64_t>(done);
    written = file.WriteAt(at, Bytes(blue, filled)) && file.WriteAt(at + samples, Bytes(red, filled)) &&
              file.WriteAt(at + 2 * samples, Bytes(green, filled));
    // The disk writes this slice while the next one is made: the closing
    // flush then waits for little more than the last slice.
    for (int plane = 0; plane < 3; ++plane)
      file.StartWriteBack(at + plane * samples, static_cast<std::int64_t>(filled));
    done += filled;
    filled = 0;
    return written;
  };
  const bool streamed = surface.StreamPixels([&](const std::uint32_t* pixels, std::size_t count) {
    if (done + filled + count > n) return false;
    while (count > 0) {
      const std::size_t take = std::min(count, PlaneSlices::kSlice - filled);
      SplitIntoMaskedPlanes(pixels, take, blue + filled, red + filled, green + filled);
      filled += take;
      pixels += take;
      count -= take;
      if (filled == PlaneSlices::kSlice && !flush()) return false;
    }
    return true;
  });
  if (!written) return false;
  if (!streamed || done + filled != n) {
    slices.readFailed = true;
    return false;
  }
  if (filled > 0 && !flush()) return false;
  // The spare sample of each plane encodes 0: it is the plane's mask.
  const std::uint8_t spare[] = {format::kBlueMask, format::kRedMask, format::kGreenMask};
  for (int plane = 0; plane < 3; ++plane) {
    if (!file.WriteAt(planes + plane * samples + static_cast<std::int64_t>(n), Bytes(&spare[plane], 1))) return false;
  }
  return true;
}

}  // namespace

void TextToBytes(std::string& header, std::u16string_view text, std::size_t offset) {
  const std::string encoded = cp932::Encode(text);
  const std::size_t count = std::min({text.size(), encoded.size(), header.size() - std::min(offset, header.size())});
  std::copy_n(encoded.begin(), count, header.begin() + static_cast<std::ptrdiff_t>(offset));
}

void PutInt16(std::string& header, std::int16_t value, std::size_t offset) {
  const auto v = static_cast<std::uint16_t>(value);
  header[offset] = static_cast<char>(v & 0xFF);
  header[offset + 1] = static_cast<char>(v >> 8);
}

void PutInt32(std::string& header, std::int32_t value, std::size_t offset) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) header[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

WriteStatus WriteBook(const std::u16string& path, BookRecord& book, const std::vector<std::u16string>& pictures,
                      PictureSurface& surface, WriteDetail* detail, const WriteProgress& progress) {
  if (book.PageCount < 1 || pictures.size() < static_cast<std::size_t>(book.PageCount)) {
    return Fail(detail, kWriteNoPages, "a book needs at least one page and a picture for every page");
  }
  const std::string text = cp932::Encode(book.Comment + u'\x7F' + book.Url + u'\x7F' + book.Mail);
  if (text.size() > static_cast<std::size_t>(format::kMaxTextLength)) {
    return Fail(detail, kWriteTextTooLong, "the comment, home page and mail address exceed 32,767 bytes");
  }

  std::string header(format::kHeaderSize, '\0');
  TextToBytes(header, FromUtf8(format::kMagic), 0);
  TextToBytes(header, FromUtf8(format::kVersion), 5);
  TextToBytes(header, FitToChars(book.Author, kAuthorWidth), format::kAuthorOffset);
  TextToBytes(header, FitToChars(book.Title, kTitleWidth), format::kTitleOffset);
  PutInt16(header, book.PageCount, format::kPageCountOffset);
  TextToBytes(header, FitToChars(book.Password, kPasswordWidth), format::kPasswordOffset);
  PutInt32(header, book.Price, format::kPriceOffset);
  const auto textLength = static_cast<std::int32_t>(text.size());
  PutInt32(header, textLength, format::kTextLengthOffset);
  const std::uint8_t key = DrawKey();
  header[format::kKeyOffset] = static_cast<char>(key);
  header[format::kCheckOffset] = static_cast<char>(key ^ format::kCheckMask);

  // The old book stays whole until the new one is complete.
  FileReplacement file(ToPath(path));
  if (!file.ok()) return Fail(detail, kWriteIoError, "the book file cannot be created (" + file.error() + ")");

  std::vector<std::int32_t> table(static_cast<std::size_t>(book.PageCount), 0);
  const std::int64_t tableOffset = static_cast<std::int64_t>(format::kHeaderSize) + textLength;
  if (!file.WriteAt(0, header) || !file.WriteAt(format::kHeaderSize, text) ||
      !file.WriteAt(tableOffset, PageTableBytes(table))) {
    return Fail(detail, kWriteIoError, "the book file cannot be written (" + file.error() + ")");
  }

  std::int64_t end = tableOffset + 4 * static_cast<std::int64_t>(table.size());
  PlaneSlices slices;
  for (int i = 0; i < book.PageCount; ++i) {
    if (progress && !progress(i, book.PageCount)) return Fail(detail, kWriteCancelled, "cancelled");
    if (Outcome loaded = surface.LoadPicture(pictures[static_cast<std::size_t>(i)]); !loaded) {
      return Fail(detail, kWritePictureFailed, loaded.why(), i);
    }
    const int width = surface.Width();
    const int height = surface.Height();
    if (width > format::kMaxPictureSide || height > format::kMaxPictureSide) {
      return Fail(detail, kWriteTooLarge, "the picture is larger than 32,767 pixels", i);
    }
    // The pixel array of a 32-bit bitmap must stay within 2 GiB.
    if (static_cast<std::int64_t>(width) * height * 4 > INT32_MAX) {
      return Fail(detail, kWriteTooLarge, "the picture has too many pixels for one page", i);
    }
    const std::int64_t position = end + (i > 0 ? 1 : 0) + 1;
    const std::int64_t recordSize = format::PageRecordSize(width, height);
    if (position + recordSize > INT32_MAX) {
      return Fail(detail, kWriteTooLarge, "the book would exceed the 2 GiB the format can address", i);
    }
    if (!WritePageRecord(file, position - 1, surface, width, height, slices)) {
      if (slices.readFailed) return Fail(detail, kWritePictureFailed, "the picture's pixels cannot be read", i);
      return Fail(detail, kWriteIoError, "the book file cannot be written (" + file.error() + ")", i);
    }
    table[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(position);
    end = position - 1 + recordSize;
  }

  if (!file.WriteAt(tableOffset, PageTableBytes(table)) || !file.Commit()) {
    return Fail(detail, kWriteIoError, "the book file cannot be written (" + file.error() + ")");
  }
  book.TextLength = textLength;
  book.PageTable = std::move(table);
  return kWriteOk;
}

}  // namespace qb
