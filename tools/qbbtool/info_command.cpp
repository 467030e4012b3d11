#include <iostream>

#include "book/book_reader.h"
#include "common/utf8.h"
#include "tools/qbbtool/book_refusal.h"
#include "tools/qbbtool/command_line.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/json_writer.h"

namespace qbbtool {
namespace {

constexpr const char* kUsage =
    "Usage: qbbtool info BOOK\n"
    "Prints the book's header, texts, page table and page sizes as one JSON object (UTF-8).\n"
    "Texts appear exactly as read; fixed-width texts are padded to their width.\n"
    "Exit status: 0 sound book; 2 not a book, 3 header check failed (the JSON is still\n"
    "printed for both); 4 missing, unreadable or damaged file; 1 wrong arguments.\n";

std::string BookJson(const std::string& path, const qb::BookRecord& book, qb::BookStatus status) {
  std::string table = "[";
  std::string pages = "[";
  for (std::size_t i = 0; i < book.PageTable.size(); ++i) {
    if (i > 0) table += ",", pages += ",";
    table += std::to_string(book.PageTable[i]);
    // The header read checked every record; one that cannot be read any more
    // (the file changed since) is listed as 0 x 0, as ReadPageHeader leaves it.
    qb::PageImage page;
    static_cast<void>(qb::ReadPageHeader(qb::FromUtf8(path), page, book.PageTable[i]));
    pages += JsonObject().Add("width", page.Width).Add("height", page.Height).Str();
  }
  table += "]";
  pages += "]";
  return JsonObject()
      .Add("status", status)
      .Add("version", qb::ToUtf8(book.Version))
      .Add("author", qb::ToUtf8(book.Author))
      .Add("title", qb::ToUtf8(book.Title))
      .Add("pageCount", book.PageCount)
      .Add("password", qb::ToUtf8(book.Password))
      .Add("price", book.Price)
      .Add("key", book.Key)
      .Add("check", book.Check)
      .Add("textLength", book.TextLength)
      .Add("comment", qb::ToUtf8(book.Comment))
      .Add("url", qb::ToUtf8(book.Url))
      .Add("mail", qb::ToUtf8(book.Mail))
      .AddRaw("pageTable", table)
      .AddRaw("pages", pages)
      .Str();
}

}  // namespace

int RunInfo(const Args& args) {
  const CommandLine line = ParseCommandLine(args, {});
  if (line.help) {
    std::cout << kUsage;
    return kExitOk;
  }
  if (!line.error.empty() || line.positional.size() != 1) {
    std::cerr << "qbbtool info: " << (line.error.empty() ? "expected one book file" : line.error) << "\n" << kUsage;
    return kExitUsage;
  }
  const std::string& path = line.positional[0];
  qb::BookRecord book;
  const qb::BookStatus status = qb::ReadBookHeader(qb::FromUtf8(path), book);
  if (status != qb::kBookSound && status != qb::kBookNotABook && status != qb::kBookCheckFailed) {
    std::cerr << "qbbtool info: " << RefuseBook(status, path).message << "\n";
    return kExitDamaged;
  }
  std::cout << BookJson(path, book, status) << "\n";
  return status;
}

}  // namespace qbbtool
