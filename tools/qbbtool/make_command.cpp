#include <charconv>
#include <iostream>

#include "book/book_password.h"
#include "book/book_writer.h"
#include "book/text_losses.h"
#include "common/byte_width_text.h"
#include "common/free_text_rules.h"
#include "common/text_helpers.h"
#include "common/utf8.h"
#include "tools/qbbtool/command_line.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/page_sources.h"
#include "tools/qbbtool/text_loss_report.h"

namespace qbbtool {
namespace {

constexpr const char* kUsage =
    "Usage: qbbtool make OUT.qbb [--author A] [--title T] [--password P] [--price N]\n"
    "                    [--comment C] [--url U] [--mail M] PICTURE|ARCHIVE...\n"
    "Writes a book with one page per picture (BMP, GIF, ICO, JPEG, PNG, WebP, TIFF, AVIF\n"
    "or WMF), in order.\n"
    "A comic archive (ARCHIVE.cbz or .zip) gives its pictures in natural name order,\n"
    "folders included, read from memory; its other files are skipped and named on stderr.\n"
    "Title, author, comment and home page not given come from the first archive's\n"
    "ComicInfo.xml. The author, given or from there, must not be blank. Archives with\n"
    "unsafe paths, over 5000 entries, an entry over 256 MiB or pictures over 4 GiB in all\n"
    "are refused.\n"
    "Author and title are fitted to 24 and 56 bytes of code page 932 (never cut inside\n"
    "a character, padded with blanks); a password over 8 bytes is refused, never cut;\n"
    "the price is a whole number.\n"
    "An existing book at OUT.qbb is replaced only when the new one is complete.\n"
    "Exit status: 0 written; 7 a picture could not be loaded (named on stderr);\n"
    "6 the book could not be written; 8 no pictures to bind, or a blank author;\n"
    "10 an archive was refused; 1 wrong arguments.\n";

bool ParsePrice(const std::string& text, std::int32_t& price) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), price);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::u16string Text(const CommandLine& line, const std::string& option, const std::u16string& fallback = {}) {
  const std::optional<std::string> value = line.Option(option);
  return value ? qb::FromUtf8(*value) : fallback;
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
  if (error.empty() && !qb::PasswordFitsBook(Text(line, "--password"))) {
    error = "--password takes at most 8 bytes of code page 932 (8 ASCII or 4 full-width characters)";
  }
  if (!error.empty()) {
    std::cerr << "qbbtool make: " << error << "\n" << kUsage;
    return kExitUsage;
  }

  PageSources sources;
  for (std::size_t i = 1; i < line.positional.size(); ++i) {
    if (const std::string refusal = sources.Add(line.positional[i]); !refusal.empty()) {
      std::cerr << "qbbtool make: " << refusal << "; " << line.positional[0] << " was not written\n";
      return kExitArchiveRefused;
    }
  }
  for (const std::string& skipped : sources.skipped()) std::cerr << "qbbtool make: skipped " << skipped << "\n";
  if (sources.pictures().empty()) {
    std::cerr << "qbbtool make: there are no pictures to bind; " << line.positional[0] << " was not written\n";
    return kExitNothingToBind;
  }
  if (sources.pictures().size() > 32767) {
    std::cerr << "qbbtool make: a book holds at most 32,767 pages; " << line.positional[0] << " was not written\n";
    return kExitUsage;
  }
  const ComicInfo info = sources.comicInfo().value_or(ComicInfo{});
  // As QuillyEd and build: a book without an author is never bound.
  const std::u16string author = Text(line, "--author", info.writer);
  if (qb::Trim(author).empty()) {
    std::cerr << "qbbtool make: the author is blank; give it with --author; " << line.positional[0]
              << " was not written\n";
    return kExitNothingToBind;
  }

  qb::BookRecord book;
  book.Author = qb::FitToBytes(author, qb::kAuthorWidth);
  book.Title = qb::FitToBytes(Text(line, "--title", info.title), qb::kTitleWidth);
  book.Password = qb::BookPassword(Text(line, "--password"));
  book.Price = price;
  book.Comment = qb::RemoveFieldSeparators(qb::NormalizeLineBreaks(Text(line, "--comment", info.summary)));
  book.Url = qb::RemoveFieldSeparators(Text(line, "--url", info.web));
  book.Mail = qb::RemoveFieldSeparators(Text(line, "--mail"));
  book.PageCount = static_cast<std::int16_t>(sources.pictures().size());

  qb::WriteDetail detail;
  const std::string& out = line.positional[0];
  const qb::WriteStatus status = qb::WriteBook(qb::FromUtf8(out), book, sources.pictures(), sources, &detail);
  if (status == qb::kWriteOk) {
    std::cerr << TextLossReport("make", qb::TextLosses(book));
    return kExitOk;
  }
  std::cerr << "qbbtool make: ";
  if (detail.pictureIndex >= 0) {
    std::cerr << "page " << detail.pictureIndex + 1 << " (" << sources.names()[detail.pictureIndex] << "): ";
  }
  std::cerr << detail.message << "; " << out << " was not written\n";
  if (status == qb::kWritePictureFailed && sources.archiveRefused()) return kExitArchiveRefused;
  return status == qb::kWritePictureFailed || status == qb::kWriteTooLarge ? kExitPictureFailed : kExitCannotWrite;
}

}  // namespace qbbtool
