#include <QBuffer>
#include <QFileInfo>
#include <filesystem>
#include <iostream>

#include "book/book_reader.h"
#include "common/text_helpers.h"
#include "common/utf8.h"
#include "tools/qbbtool/book_refusal.h"
#include "tools/qbbtool/comic_archive_writer.h"
#include "tools/qbbtool/comic_info.h"
#include "tools/qbbtool/command_line.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/output_file.h"
#include "tools/qbbtool/page_picture.h"
#include "tools/qbbtool/repeated_pages_limit.h"
#include "tools/qbbtool/unpack_names.h"

namespace qbbtool {
namespace {

constexpr const char* kUsage =
    "Usage: qbbtool export [--password PW] BOOK OUT.cbz\n"
    "Writes the book as a comic archive (CBZ): every page as a lossless PNG picture\n"
    "(page001.png, ...) and a ComicInfo.xml with the title, the author (Writer), the\n"
    "comment (Summary) and the home page (Web), which comic readers show. The price and\n"
    "mail address have no place there. A book with a password is exported only when\n"
    "--password gives it. OUT appears only once it is complete, and a failed write (a\n"
    "full disk, a pipe whose reader went away) stops the export at once. A book whose\n"
    "pages as bitmaps would take more than 4 times its size plus 64 MiB (repeated pages)\n"
    "is refused.\n"
    "Exit status: 0 written; 2 not a book; 3 header check failed; 4 damaged file or page,\n"
    "or a book made to fill the disk; 6 the archive could not be written; 11 the book\n"
    "has a password and --password did not give it or gave another; 1 wrong arguments.\n"
    "Nothing is written unless 0.\n";

int Fail(int status, const std::string& message) {
  std::cerr << "qbbtool export: " << message << "\n";
  return status;
}

ComicInfo InfoOf(const qb::BookRecord& book) {
  return {qb::Trim(book.Title), qb::Trim(book.Author), book.Comment, book.Url, book.PageCount};
}

// The page as PNG bytes; empty when the page cannot be read.
QByteArray PagePng(const std::u16string& bookPath, const qb::BookRecord& book, int number) {
  qb::PageImage page;
  if (qb::ReadPageImage(bookPath, page, book.PageTable[static_cast<std::size_t>(number - 1)]) != qb::kBookSound)
    return {};
  const QImage picture = PageAsPicture(page);
  if (picture.isNull()) return {};
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "PNG")) return {};
  return png;
}

std::string PagePngName(int number, int pageCount) {
  return std::filesystem::path(PagePictureName(number, pageCount)).replace_extension(".png").string();
}

}  // namespace

int RunExport(const Args& args) {
  const CommandLine line = ParseCommandLine(args, {"--password"});
  if (line.help) {
    std::cout << kUsage;
    return kExitOk;
  }
  if (!line.error.empty() || line.positional.size() != 2 || line.positional[1].empty()) {
    std::cerr << "qbbtool export: " << (line.error.empty() ? "expected BOOK and OUT.cbz" : line.error) << "\n"
              << kUsage;
    return kExitUsage;
  }
  const std::string& path = line.positional[0];
  const std::string& out = line.positional[1];
  const std::u16string bookPath = qb::FromUtf8(path);
  qb::BookRecord book;
  if (const qb::BookStatus status = qb::ReadBookHeader(bookPath, book); status != qb::kBookSound) {
    const Refusal refusal = RefuseBook(status, path);
    return Fail(refusal.exitStatus, refusal.message);
  }
  // Quilly's lock: the password as the book holds it, without its padding.
  const std::u16string password = qb::Trim(book.Password);
  const std::optional<std::string> given = line.Option("--password");
  if (!password.empty() && !given) {
    return Fail(kExitWrongPassword, path + " has a password; give it with --password to export the book");
  }
  if (!password.empty() && qb::FromUtf8(*given) != password) {
    return Fail(kExitWrongPassword,
                "the password given with --password is not the password of " + path + "; nothing was written");
  }

  if (const std::string refusal = RepeatedPagesRefusal(bookPath, book); !refusal.empty()) {
    return Fail(kExitDamaged, refusal);
  }

  int failedPage = 0;
  const std::time_t modified = QFileInfo(QString::fromStdString(path)).lastModified().toSecsSinceEpoch();
  std::string why;
  const bool written = WriteOutputFile(
      out,
      [&](QIODevice& device) {
        ComicArchiveWriter archive(device, modified);
        for (int number = 1; number <= book.PageCount; ++number) {
          const QByteArray png = PagePng(bookPath, book, number);
          if (png.isEmpty()) {
            failedPage = number;
            return false;
          }
          if (!archive.Add(PagePngName(number, book.PageCount), png, ComicArchiveWriter::Packing::Store) ||
              OutputFailed(device))
            return false;
        }
        return archive.Add("ComicInfo.xml", ComicInfoXml(InfoOf(book)), ComicArchiveWriter::Packing::Deflate) &&
               archive.Finish();
      },
      &why);
  if (failedPage > 0) {
    return Fail(kExitDamaged, "page " + std::to_string(failedPage) + " of " + path +
                                  " cannot be read; the file is damaged; " + out + " was not written");
  }
  if (!written) {
    return Fail(kExitCannotWrite, "cannot write " + out + " (" + why + "); check the folder exists and is writable");
  }
  return kExitOk;
}

}  // namespace qbbtool
