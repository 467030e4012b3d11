// The native side of the web reader's tests. "books DIR" writes the test
// books and, as manifest.json, what ReadBookHeader and ReadBookTable make of
// each; "draw BOOK
// PAGE WIDTH HEIGHT OUT" writes what Quilly's full screen shows of a page at
// that size (bytes R, G, B, 255, top row first), exit status the reader's.
#include <QColor>
#include <QImage>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "book/book_file.h"
#include "book/book_reader.h"
#include "book/book_test_support.h"
#include "book/book_writer.h"
#include "common/utf8.h"
#include "image/book_page_view.h"
#include "image/view_drawing.h"

namespace {

namespace fs = std::filesystem;
using qb::test::FakeSurface;

struct PageSize {
  int width;
  int height;
};

struct BookPlan {
  const char* name;
  std::vector<PageSize> pages;
  std::u16string author, title, password, comment, url, mail;
  std::int32_t price = 0;
};

// Pages around the view sizes the tests use: smaller (whole-factor
// enlarged), larger either way (shrunk), wide, tall, one pixel, a line.
const std::vector<PageSize> kTwentyPages = {{160, 120}, {1280, 960}, {1, 1},     {641, 479}, {320, 240},
                                            {650, 640}, {600, 900},  {2, 700},   {700, 2},   {333, 777},
                                            {64, 64},   {1000, 10},  {97, 131},  {800, 600}, {401, 299},
                                            {5, 3},     {1201, 33},  {256, 512}, {639, 481}, {120, 160}};

const std::vector<BookPlan> kBooks = {
    {"pages20.qbb", kTwentyPages, u"作者", u"二十ページ", u"", u"", u"", u""},
    {"locked.qbb", {{90, 60}, {60, 90}, {30, 30}}, u"作者", u"鍵の本", u"Ab1", u"", u"", u"", 1500},
    {"texts.qbb",
     {{40, 30}},
     u"髙橋ｶﾀｶﾅ",
     u"①の本",
     u"",
     u"<script>alert(1)</script>\r\n<img src=x onerror=alert(2)>",
     u"https://example.com/?q=<b>",
     u"mail@example.com",
     2147483647},
    {"javascript.qbb", {{4, 4}}, u"作者", u"題", u"", u"", u"javascript:alert(3)", u"", 0},
};

// Damaged copies of pages20.qbb: one byte range overwritten, or the file cut.
struct Damage {
  const char* name;
  std::size_t offset;
  std::string bytes;        // written at offset
  std::size_t cut = 0;      // when non-zero, the file's new length
  bool cutFromEnd = false;  // cut counts from the end
};

std::string Int32(std::int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

const std::vector<Damage> kDamages = {
    {"notabook.qbb", 0, "*QBX*"},          {"check.qbb", 108, std::string(1, '\x01')},
    {"textlength.qbb", 103, Int32(40000)}, {"pagecount0.qbb", 89, std::string(2, '\0')},
    {"negativecount.qbb", 89, "\xff\xff"}, {"header-cut.qbb", 0, "", 100},
    {"table-cut.qbb", 0, "", 120},         {"page-cut.qbb", 0, "", 10, true},
};

qb::PixelArray RandomPixels(std::mt19937& random, const PageSize& size) {
  qb::PixelArray pixels(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height) + 1, 0);
  for (std::size_t i = 0; i + 1 < pixels.size(); ++i) pixels[i] = random() & 0x00FFFFFFu;
  return pixels;
}

void WriteJsonString(std::ostream& out, const std::u16string& text) {
  out << '"';
  for (const unsigned char c : qb::ToUtf8(text)) {
    if (c == '"' || c == '\\') {
      out << '\\' << c;
    } else if (c < 0x20) {
      static const char kHex[] = "0123456789abcdef";
      out << "\\u00" << kHex[c >> 4] << kHex[c & 15];
    } else {
      out << c;
    }
  }
  out << '"';
}

void WriteHeaderEntry(std::ostream& out, const fs::path& book) {
  qb::BookRecord record;
  const qb::BookStatus status = qb::ReadBookHeader(qb::FromPath(book), record);
  out << "    {\"name\": ";
  WriteJsonString(out, qb::FromPath(book.filename()));
  qb::BookFile file(qb::FromPath(book));
  qb::BookRecord front;
  out << ", \"status\": " << status << ", \"tableStatus\": " << qb::ReadBookTable(file, front)
      << ", \"pageCount\": " << record.PageCount;
  const std::pair<const char*, const std::u16string*> texts[] = {
      {"author", &record.Author}, {"title", &record.Title},     {"url", &record.Url},
      {"mail", &record.Mail},     {"comment", &record.Comment}, {"password", &record.Password}};
  for (const auto& [key, text] : texts) {
    out << ", \"" << key << "\": ";
    WriteJsonString(out, *text);
  }
  out << ", \"positions\": [";
  for (std::size_t i = 0; i < record.PageTable.size(); ++i) out << (i ? ", " : "") << record.PageTable[i];
  out << "]}";
}

int WriteBooks(const fs::path& dir) {
  fs::create_directories(dir);
  std::mt19937 random(19);
  std::vector<fs::path> written;
  for (const BookPlan& plan : kBooks) {
    FakeSurface surface;
    std::vector<std::u16string> pictures;
    for (const PageSize& size : plan.pages) {
      const std::u16string name = u"p" + qb::FromUtf8(std::to_string(pictures.size()));
      surface.pictures[name] = {size.width, size.height, RandomPixels(random, size)};
      pictures.push_back(name);
    }
    qb::BookRecord book;
    book.Author = plan.author;
    book.Title = plan.title;
    book.Password = plan.password;
    book.Author.resize(qb::kAuthorWidth, u' ');
    book.Title.resize(qb::kTitleWidth, u' ');
    book.Password.resize(qb::kPasswordWidth, u' ');
    book.Comment = plan.comment;
    book.Url = plan.url;
    book.Mail = plan.mail;
    book.Price = plan.price;
    book.PageCount = static_cast<std::int16_t>(plan.pages.size());
    const fs::path path = dir / plan.name;
    if (qb::WriteBook(qb::FromPath(path), book, pictures, surface) != qb::kWriteOk) {
      std::cerr << "cannot write " << path << "\n";
      return 1;
    }
    written.push_back(path);
  }
  const std::string sound = qb::test::ReadAll(dir / kBooks[0].name);
  for (const Damage& damage : kDamages) {
    std::string bytes = sound;
    bytes.replace(damage.offset, damage.bytes.size(), damage.bytes);
    if (damage.cut) bytes.resize(damage.cutFromEnd ? bytes.size() - damage.cut : damage.cut);
    qb::test::WriteAll(dir / damage.name, bytes);
    written.push_back(dir / damage.name);
  }
  std::ofstream manifest(dir / "manifest.json");
  manifest << "{\n  \"books\": [\n";
  for (std::size_t i = 0; i < written.size(); ++i) {
    WriteHeaderEntry(manifest, written[i]);
    manifest << (i + 1 < written.size() ? ",\n" : "\n");
  }
  manifest << "  ]\n}\n";
  return manifest ? 0 : 1;
}

int Draw(const fs::path& bookPath, int page, int width, int height, const fs::path& out) {
  qb::BookRecord book;
  const std::u16string path = qb::FromPath(bookPath);
  if (const qb::BookStatus status = qb::ReadBookHeader(path, book); status != qb::kBookSound) return status;
  if (page < 1 || page > book.PageCount) return qb::kBookDamaged;
  QImage view(width, height, QImage::Format_RGB32);
  view.fill(Qt::black);
  qb::BookPageView pageView;
  if (const qb::BookStatus status =
          pageView.Draw(path, book.PageTable[static_cast<std::size_t>(page - 1)], view, Qt::black, qb::PlaceOnScreen);
      status != qb::kBookSound)
    return status;
  const QImage rgba = view.convertToFormat(QImage::Format_RGBA8888);
  std::ofstream file(out, std::ios::binary);
  for (int y = 0; y < height; ++y) file.write(reinterpret_cast<const char*>(rgba.constScanLine(y)), width * 4);
  return file ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "books") return WriteBooks(args[1]);
  if (args.size() == 6 && args[0] == "draw")
    return Draw(args[1], std::atoi(args[2].c_str()), std::atoi(args[3].c_str()), std::atoi(args[4].c_str()), args[5]);
  std::cerr << "usage: web_fixtures books DIR | draw BOOK PAGE WIDTH HEIGHT OUT\n";
  return 1;
}
