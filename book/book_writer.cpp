#include "book/book_writer.h"

#include <random>

#include "book/book_format.h"
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

int Fail(WriteDetail* detail, int status, std::string message, int pictureIndex = -1) {
  if (detail) {
    detail->pictureIndex = pictureIndex;
    detail->message = std::move(message);
  }
  return status;
}

std::string PageTableBytes(const std::vector<std::int32_t>& table) {
  std::string bytes(4 * table.size(), '\0');
  for (std::size_t i = 0; i < table.size(); ++i) PutInt32(bytes, table[i], 4 * i);
  return bytes;
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

int WriteBook(const std::u16string& path, BookRecord& book, const std::vector<std::u16string>& pictures,
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
  PixelArray pixels;
  std::string planes;
  for (int i = 0; i < book.PageCount; ++i) {
    if (progress && !progress(i, book.PageCount)) return Fail(detail, kWriteCancelled, "cancelled");
    std::string error;
    if (!surface.LoadPicture(pictures[static_cast<std::size_t>(i)], &error)) {
      return Fail(detail, kWritePictureFailed, error, i);
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
    const std::int32_t n = surface.PictureToPixels(pixels);
    // The page record's size comes from width and height, its planes from n:
    // they must agree or the next page would land inside this one.
    if (n != static_cast<std::int64_t>(width) * height || pixels.size() != static_cast<std::size_t>(n) + 1) {
      return Fail(detail, kWritePictureFailed, "the picture's pixels cannot be read", i);
    }

    const std::int64_t position = end + (i > 0 ? 1 : 0) + 1;
    const std::int64_t recordSize = format::PageRecordSize(width, height);
    if (position + recordSize > INT32_MAX) {
      return Fail(detail, kWriteTooLarge, "the book would exceed the 2 GiB the format can address", i);
    }
    const std::size_t samples = static_cast<std::size_t>(n) + 1;
    planes.resize(format::kPageHeaderSize + 3 * samples);
    PutInt16(planes, static_cast<std::int16_t>(width), 0);
    PutInt16(planes, static_cast<std::int16_t>(height), 2);
    PutInt16(planes, 0, 4);
    char* blue = planes.data() + format::kPageHeaderSize;
    char* red = blue + samples;
    char* green = red + samples;
    for (std::size_t k = 0; k < samples; ++k) {
      const std::uint32_t p = pixels[k];
      blue[k] = static_cast<char>((p & 0xFF) ^ format::kBlueMask);
      red[k] = static_cast<char>(((p >> 16) & 0xFF) ^ format::kRedMask);
      green[k] = static_cast<char>(((p >> 8) & 0xFF) ^ format::kGreenMask);
    }
    // The filler byte before every page after the first is the zero the
    // seek leaves behind.
    if (!file.WriteAt(position - 1, planes)) {
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
