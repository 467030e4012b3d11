#include <QImage>
#include <iostream>

#include "book/book_reader.h"
#include "common/utf8.h"
#include "image/book_page_thumbnail.h"
#include "tools/qbbtool/book_refusal.h"
#include "tools/qbbtool/command_line.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/page_picture.h"
#include "tools/qbbtool/thumbnail_size.h"

namespace qbbtool {
namespace {

constexpr const char* kUsage =
    "Usage: qbbtool thumbnail [-s SIZE] BOOK OUT.png\n"
    "Writes the book's first page as a PNG picture that fits in SIZE x SIZE pixels\n"
    "(default 256, at most 4096), keeping its proportions; a smaller page keeps its size.\n"
    "A book with a password shows its first page too, as Quilly does. This is the\n"
    "command the desktop's thumbnailer runs. OUT appears only once it is complete.\n"
    "Exit status: 0 written; 2 not a book; 3 header check failed; 4 damaged file or page;\n"
    "6 the picture could not be written; 1 wrong arguments. Nothing is written unless 0.\n";

int Fail(int status, const std::string& message) {
  std::cerr << "qbbtool thumbnail: " << message << "\n";
  return status;
}

}  // namespace

int RunThumbnail(const Args& args) {
  const CommandLine line = ParseCommandLine(args, {"-s", "--size"});
  if (line.help) {
    std::cout << kUsage;
    return kExitOk;
  }
  std::string error = line.error;
  if (error.empty() && line.positional.size() != 2) error = "expected BOOK and OUT.png";
  std::optional<int> size = kDefaultThumbnailSize;
  for (const char* name : {"-s", "--size"}) {
    if (const auto text = line.Option(name); error.empty() && text) {
      size = ParseThumbnailSize(*text);
      if (!size) error = std::string(name) + " takes a whole number of pixels from 1 to 4096";
    }
  }
  if (!error.empty()) {
    std::cerr << "qbbtool thumbnail: " << error << "\n" << kUsage;
    return kExitUsage;
  }
  const std::string& path = line.positional[0];
  const std::string& out = line.positional[1];
  qb::BookRecord book;
  if (const qb::BookStatus status = qb::ReadBookHeader(qb::FromUtf8(path), book); status != qb::kBookSound) {
    const Refusal refusal = RefuseBook(status, path);
    return Fail(refusal.exitStatus, refusal.message);
  }
  // Only the page's size is read here; the thumbnail is made straight from
  // the book's planes, without the page's pixels ever being held whole.
  qb::PageImage page;
  if (book.PageTable.empty() || qb::ReadPageHeader(qb::FromUtf8(path), page, book.PageTable[0]) != qb::kBookSound) {
    return Fail(kExitDamaged, "page 1 of " + path + " cannot be read; the file is damaged");
  }
  const QSize fitted = ThumbnailSize(QSize(page.Width, page.Height), *size);
  if (fitted.isEmpty()) return Fail(kExitDamaged, "page 1 of " + path + " holds no picture");
  const QImage thumbnail = qb::ShrinkBookPage(qb::FromUtf8(path), book.PageTable[0], fitted);
  if (thumbnail.isNull()) return Fail(kExitDamaged, "page 1 of " + path + " cannot be read; the file is damaged");
  // The desktop may read OUT as soon as it exists: it never sees half a picture.
  std::string why;
  if (!WritePictureFile(out, thumbnail.convertToFormat(QImage::Format_RGB888), "PNG", &why)) {
    return Fail(kExitCannotWrite, "cannot write " + out + " (" + why + "); check the folder exists and is writable");
  }
  return kExitOk;
}

}  // namespace qbbtool
