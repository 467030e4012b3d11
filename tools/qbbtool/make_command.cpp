#include <charconv>
#include <iostream>

#include "book/book_writer.h"
#include "book/text_losses.h"
#include "common/byte_width_text.h"
#include "common/free_text_rules.h"
#include "common/utf8.h"
#include "image/picture_surface_qt.h"
#include "tools/qbbtool/command_line.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/text_loss_report.h"

namespace qbbtool {
namespace {

constexpr const char* kUsage =
    "Usage: qbbtool make OUT.qbb [--author A] [--title T] [--password P] [--price N]\n"
    "                    [--comment C] [--url U] [--mail M] PICTURE...\n"
    "Writes a book with one page per picture (BMP, GIF, ICO, JPEG, PNG or WMF), in order.\n"
    "Author, title and password are fitted to 24, 56 and 8 bytes of code page 932\n"
    "(never cut inside a character, padded with blanks); the price is a whole number.\n"
    "An existing book at OUT.qbb is replaced only when the new one is complete.\n"
    "Exit status: 0 written; 7 a picture could not be loaded (named on stderr);\n"
    "6 the book could not be written; 1 wrong arguments.\n";

bool ParsePrice(const std::string& text, std::int32_t& price) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), price);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::u16string Text(const CommandLine& line, const std::string& option) {
  return qb::FromUtf8(line.Option(option).value_or(""));
}

}  // namespace

int RunMake(const Args& args) {
  const CommandLine line =
      ParseCommandLine(args, {"--author", "--title", "--password", "--price", "--comment", "--url", "--mail"});
  if (line.help) {
    std::cout << kUsage;
    return kExitOk;
  }
  std::int32_t price = 0;
  std::string error = line.error;
  if (error.empty() && line.positional.size() < 2) error = "expected OUT.qbb and at least one picture";
  if (error.empty() && line.positional.size() - 1 > 32767) error = "a book holds at most 32,767 pages";
  if (error.empty() && line.Option("--price") && !ParsePrice(*line.Option("--price"), price)) {
    error = "--price takes a whole number between -2147483648 and 2147483647";
  }
  if (!error.empty()) {
    std::cerr << "qbbtool make: " << error << "\n" << kUsage;
    return kExitUsage;
  }

  qb::BookRecord book;
  book.Author = qb::FitToBytes(Text(line, "--author"), qb::kAuthorWidth);
  book.Title = qb::FitToBytes(Text(line, "--title"), qb::kTitleWidth);
  book.Password = qb::FitToBytes(Text(line, "--password"), qb::kPasswordWidth);
  book.Price = price;
  book.Comment = qb::RemoveFieldSeparators(qb::NormalizeLineBreaks(Text(line, "--comment")));
  book.Url = qb::RemoveFieldSeparators(Text(line, "--url"));
  book.Mail = qb::RemoveFieldSeparators(Text(line, "--mail"));
  std::vector<std::u16string> pictures;
  for (std::size_t i = 1; i < line.positional.size(); ++i) pictures.push_back(qb::FromUtf8(line.positional[i]));
  book.PageCount = static_cast<std::int16_t>(pictures.size());

  qb::QtPictureSurface surface;
  qb::WriteDetail detail;
  const std::string& out = line.positional[0];
  const int status = qb::WriteBook(qb::FromUtf8(out), book, pictures, surface, &detail);
  if (status == qb::kWriteOk) {
    std::cerr << TextLossReport("make", qb::TextLosses(book));
    return kExitOk;
  }
  std::cerr << "qbbtool make: ";
  if (detail.pictureIndex >= 0) {
    std::cerr << "page " << detail.pictureIndex + 1 << " (" << line.positional[detail.pictureIndex + 1] << "): ";
  }
  std::cerr << detail.message << "; " << out << " was not written\n";
  return status == qb::kWritePictureFailed || status == qb::kWriteTooLarge ? kExitPictureFailed : kExitCannotWrite;
}

}  // namespace qbbtool
