#include <QImage>
#include <iostream>

#include "book/book_reader.h"
#include "common/utf8.h"
#include "tools/qbbtool/book_refusal.h"
#include "tools/qbbtool/command_line.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/page_number.h"
#include "tools/qbbtool/page_picture.h"

namespace qbbtool {
namespace {

constexpr const char* kUsage =
    "Usage: qbbtool page BOOK N OUT.png\n"
    "Writes page N (1 = first page) of the book as an RGB PNG picture.\n"
    "Exit status: 0 written; 2 not a book; 3 header check failed; 4 damaged file or page;\n"
    "5 no page N in this book; 6 the picture could not be written; 1 wrong arguments.\n";

}  // namespace

int RunPage(const Args& args) {
  const CommandLine line = ParseCommandLine(args, {});
  if (line.help) {
    std::cout << kUsage;
    return kExitOk;
  }
  std::string error = line.error;
  if (error.empty() && line.positional.size() != 3) error = "expected BOOK, N and OUT.png";
  if (error.empty() && !IsWholeNumber(line.positional[1])) error = "N must be a page number, not " + line.positional[1];
  if (!error.empty()) {
    std::cerr << "qbbtool page: " << error << "\n" << kUsage;
    return kExitUsage;
  }
  const std::string& path = line.positional[0];
  const std::string& out = line.positional[2];
  qb::BookRecord book;
  if (const qb::BookStatus status = qb::ReadBookHeader(qb::FromUtf8(path), book); status != qb::kBookSound) {
    const Refusal refusal = RefuseBook(status, path);
    std::cerr << "qbbtool page: " << refusal.message << "\n";
    return refusal.exitStatus;
  }
  const int number = ParsePageNumber(line.positional[1], book.PageCount);
  if (number == 0) {
    std::cerr << "qbbtool page: there is no page " << line.positional[1] << "; the book has pages 1 to "
              << book.PageCount << "\n";
    return kExitNoSuchPage;
  }
  qb::PageImage page;
  if (qb::ReadPageImage(qb::FromUtf8(path), page, book.PageTable[number - 1]) != qb::kBookSound) {
    std::cerr << "qbbtool page: page " << number << " of " << path << " cannot be read; the file is damaged\n";
    return kExitDamaged;
  }
  // The picture shares the page's pixels: a page costs its pixel array once.
  const QImage picture = PageAsPicture(page);
  if (picture.isNull()) {
    std::cerr << "qbbtool page: page " << number << " is empty (" << page.Width << " x " << page.Height
              << " pixels); there is no picture to write\n";
    return kExitCannotWrite;
  }
  // A failure leaves an OUT.png already there as it was.
  std::string why;
  if (!WritePictureFile(out, picture, "PNG", &why)) {
    std::cerr << "qbbtool page: cannot write " << out << " (" << why << "); check the folder exists and is writable\n";
    return kExitCannotWrite;
  }
  return kExitOk;
}

}  // namespace qbbtool
