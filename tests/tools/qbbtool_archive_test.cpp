// Comic archives in and out of qbbtool: which entries of a CBZ become pages
// and in what order, the pages themselves, the fields that travel in
// ComicInfo.xml, the password lock on export, and hostile archives refused
// with nothing written.

#include <gtest/gtest.h>
#include <zlib.h>

#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <clocale>
#include <filesystem>
#include <fstream>

#include "book/book_reader.h"
#include "common/cp932.h"
#include "common/utf8.h"
#include "image/picture_loader.h"
#include "qbbtool_test_support.h"
#include "tools/qbbtool/archive_entry_rules.h"
#include "tools/qbbtool/comic_archive_reader.h"
#include "tools/qbbtool/comic_info.h"
#include "tools/qbbtool/commands.h"

namespace qbbtool {
namespace {

namespace fs = std::filesystem;
using Scratch = test::ScratchFolder;

// One entry of a ZIP written byte by byte, so a test can make it claim what
// it likes.
struct RawEntry {
  std::string name;
  std::string data;
  bool deflate = false;
  std::int64_t claimedSize = -1;  // uncompressed size written in the headers; -1: the true one
  bool utf8Name = true;           // whether the name is flagged as UTF-8 (else code page 932)
};

void Put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF), out += static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& out, std::uint32_t v) { Put16(out, v & 0xFFFF), Put16(out, v >> 16); }

std::string RawDeflate(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::string RawZip(const std::vector<RawEntry>& entries) {
  std::string zip;
  std::string directory;
  for (const RawEntry& entry : entries) {
    const std::string packed = entry.deflate ? RawDeflate(entry.data) : entry.data;
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size())));
    const auto size = static_cast<std::uint32_t>(entry.claimedSize >= 0 ? entry.claimedSize : entry.data.size());
    const auto offset = static_cast<std::uint32_t>(zip.size());
    const auto common = [&](std::string& out) {
      Put16(out, 20), Put16(out, entry.utf8Name ? 0x0800 : 0), Put16(out, entry.deflate ? 8 : 0), Put16(out, 0),
          Put16(out, 0x21);
      Put32(out, crc), Put32(out, static_cast<std::uint32_t>(packed.size())), Put32(out, size);
      Put16(out, static_cast<unsigned>(entry.name.size())), Put16(out, 0);
    };
    Put32(zip, 0x04034b50);
    common(zip);
    zip += entry.name + packed;
    Put32(directory, 0x02014b50);
    Put16(directory, 0x031E);
    common(directory);
    Put16(directory, 0), Put16(directory, 0), Put16(directory, 0), Put32(directory, 0100644u << 16);
    Put32(directory, offset);
    directory += entry.name;
  }
  const auto directoryOffset = static_cast<std::uint32_t>(zip.size());
  zip += directory;
  Put32(zip, 0x06054b50), Put16(zip, 0), Put16(zip, 0);
  Put16(zip, static_cast<unsigned>(std::min<std::size_t>(entries.size(), 0xFFFF)));
  Put16(zip, static_cast<unsigned>(std::min<std::size_t>(entries.size(), 0xFFFF)));
  Put32(zip, static_cast<std::uint32_t>(directory.size())), Put32(zip, directoryOffset), Put16(zip, 0);
  return zip;
}

std::string WriteFile(const Scratch& dir, const std::string& name, const std::string& content) {
  const std::string path = dir / name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

// Every pixel different, so a lossy, shifted or swapped page shows.
QImage Noise(int w, int h, int seed) {
  QImage image(w, h, QImage::Format_RGB32);
  unsigned state = static_cast<unsigned>(seed) * 2654435761u + 7;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      state = state * 1103515245u + 12345u;
      image.setPixel(x, y, qRgb(state >> 8 & 0xFF, state >> 16 & 0xFF, state >> 24 & 0xFF));
    }
  }
  return image;
}

std::string Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format)) << format;
  return bytes.toStdString();
}

std::vector<QImage> BookPages(const std::string& book) {
  qb::BookRecord record;
  EXPECT_EQ(qb::ReadBookHeader(qb::FromUtf8(book), record), qb::kBookSound);
  std::vector<QImage> pages;
  for (const std::int32_t position : record.PageTable) {
    qb::PageImage page;
    EXPECT_EQ(qb::ReadPageImage(qb::FromUtf8(book), page, position), 0);
    QImage image(page.Width, page.Height, QImage::Format_RGB32);
    for (int y = 0; y < page.Height; ++y) {
      for (int x = 0; x < page.Width; ++x) {
        image.setPixel(x, y,
                       page.Pixels[static_cast<std::size_t>((page.Height - 1 - y) * page.Width + x)] | 0xFF000000u);
      }
    }
    pages.push_back(image);
  }
  return pages;
}

std::vector<std::string> FolderContents(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) names.push_back(entry.path().string());
  std::sort(names.begin(), names.end());
  return names;
}

int Command(int (*command)(const Args&), const Args& args, std::string* err = nullptr) {
  return test::RunCommand(command, args, err);
}

TEST(ArchiveEntryRules, PicturesAreKnownEndingsOutsideHiddenPlaces) {
  for (const char* name :
       {"p1.png", "a/b/P2.JPG", "x.jpeg", "cover.bmp", "f.gif", "i.ico", "m.wmf", "漫画/1.Png", "p1.webp", "s.TIF"}) {
    EXPECT_TRUE(IsPagePictureEntry(name)) << name;
  }
  for (const char* name : {"ComicInfo.xml", "notes.txt", "png", ".png", "a/.hidden.png", "__MACOSX/a/._p1.png",
                           ".thumbs/p1.png", "p1.png.txt", "p1.heic"}) {
    EXPECT_FALSE(IsPagePictureEntry(name)) << name;
  }
  EXPECT_TRUE(IsComicInfoEntry("ComicInfo.xml"));
  EXPECT_TRUE(IsComicInfoEntry("comicinfo.XML"));
  EXPECT_FALSE(IsComicInfoEntry("vol1/ComicInfo.xml"));
  EXPECT_TRUE(IsComicArchivePath("/books/Vol 1.CBZ"));
  EXPECT_TRUE(IsComicArchivePath("pages.zip"));
  EXPECT_FALSE(IsComicArchivePath("page.png"));
  EXPECT_FALSE(IsComicArchivePath("cbz"));
}

TEST(ArchiveEntryRules, PathsLeavingTheFolderAreUnsafe) {
  for (const char* name : {"../p1.png", "a/../../p1.png", "a\\..\\p1.png", "/etc/p1.png", "\\p1.png", "C:p1.png", ""}) {
    EXPECT_TRUE(IsUnsafeEntryPath(name)) << name;
  }
  for (const char* name : {"p1.png", "a/b/p1.png", "..p1.png", "a/...png", "a./p1.png"}) {
    EXPECT_FALSE(IsUnsafeEntryPath(name)) << name;
  }
}

TEST(ArchiveEntryRules, NaturalOrderFolderByFolder) {
  std::vector<std::string> names = {"ch10/p1.png", "ch2/p10.png", "ch2/p9.png", "cover.png",
                                    "ch2/P2.png",  "ch2.png",     "a/z.png",    "a.png"};
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return EntryPathLess(a, b); });
  EXPECT_EQ(names, (std::vector<std::string>{"a/z.png", "a.png", "ch2/P2.png", "ch2/p9.png", "ch2/p10.png", "ch2.png",
                                             "ch10/p1.png", "cover.png"}));
}

TEST(ComicInfoXml, FieldsSurviveTheRoundTrip) {
  const ComicInfo info{u"絵本 <第1巻> & \"続き\"", u"山田 花子", u"一行目\n二行目\tタブ",
                       u"http://example.com/?a=1&b=2", 3};
  const QByteArray xml = ComicInfoXml(info);
  EXPECT_TRUE(xml.contains("<PageCount>3</PageCount>"));
  const ComicInfo back = ParseComicInfo(xml);
  EXPECT_EQ(back.title, info.title);
  EXPECT_EQ(back.writer, info.writer);
  EXPECT_EQ(back.summary, info.summary);
  EXPECT_EQ(back.web, info.web);
  // The readers' schema is an ordered sequence.
  EXPECT_LT(xml.indexOf("<Title>"), xml.indexOf("<Summary>"));
  EXPECT_LT(xml.indexOf("<Summary>"), xml.indexOf("<Writer>"));
  EXPECT_LT(xml.indexOf("<Writer>"), xml.indexOf("<Web>"));
}

TEST(ComicInfoXml, WhatXmlCannotHoldIsDroppedAndStrangeDocumentsGiveNothing) {
  const QByteArray xml =
      ComicInfoXml({u"a\x01"
                    u"b\x1f"
                    u"c",
                    {},
                    {},
                    {},
                    0});
  EXPECT_FALSE(xml.contains("<Writer"));
  EXPECT_EQ(ParseComicInfo(xml).title, u"abc");
  const ComicInfo other = ParseComicInfo(
      "<ComicInfo><Series>S</Series><Title>T</Title><Notes><b>x</b></Notes>"
      "<Writer>W</Writer></ComicInfo>");
  EXPECT_EQ(other.title, u"T");
  EXPECT_EQ(other.writer, u"W");
  EXPECT_TRUE(ParseComicInfo("<ComicInfo><Title>T</Title>").title.empty());
  EXPECT_TRUE(ParseComicInfo("<Other><Title>T</Title></Other>").title.empty());
}

// Pages stored in reverse name order come out of one pass over the archive:
// once the first page was read, the archive is not opened again.
TEST(ComicArchiveReader, PagesInAnyOrderNeedOnePass) {
  Scratch dir;
  std::vector<RawEntry> entries;
  for (int i = 40; i >= 1; --i)
    entries.push_back({"p" + std::to_string(i) + ".png", "page " + std::to_string(i), i % 2 == 1});
  entries.insert(entries.begin() + 7, RawEntry{"ComicInfo.xml", "<ComicInfo/>"});
  const std::string cbz = WriteFile(dir, "reverse.cbz", RawZip(entries));
  const ArchiveListing listing = ListComicArchive(cbz);
  ASSERT_TRUE(listing.error.empty()) << listing.error;
  ASSERT_EQ(listing.pictures.size(), 40u);
  ComicArchiveReader reader(cbz, listing.pictures);
  QByteArray data;
  std::string why;
  ASSERT_TRUE(reader.Read(*listing.comicInfo, kMaxComicInfoBytes, data, &why)) << why;
  ASSERT_TRUE(reader.Read(listing.pictures[0], kMaxArchiveEntryBytes, data, &why)) << why;
  EXPECT_EQ(data, "page 1");
  fs::remove(cbz);
  for (int i = 2; i <= 40; ++i) {
    ASSERT_TRUE(reader.Read(listing.pictures[static_cast<std::size_t>(i - 1)], kMaxArchiveEntryBytes, data, &why))
        << i << ": " << why;
    EXPECT_EQ(data.toStdString(), "page " + std::to_string(i));
  }
}

TEST(MakeFromArchive, MixedFormatsAndFoldersGiveThePagesInNaturalOrder) {
  Scratch dir;
  const QImage p1 = Noise(31, 17, 1), p2 = Noise(8, 40, 2), p10 = Noise(23, 23, 3), c1 = Noise(5, 6, 4);
  const QImage icon = Noise(16, 16, 6);
  const std::string jpeg = Encoded(Noise(16, 16, 5), "JPEG");
  const std::string cbz = WriteFile(dir, "comic.cbz",
                                    RawZip({{"p10.png", Encoded(p10, "PNG"), true},
                                            {"readme.txt", "hello", true},
                                            {"ch1/", ""},
                                            {"ch1/p1.bmp", Encoded(c1, "BMP"), true},
                                            {"p2.ico", Encoded(icon, "ICO")},
                                            {"__MACOSX/._p1.png", "junk"},
                                            {"p1.PNG", Encoded(p1, "PNG")},
                                            {"p3.jpg", jpeg},
                                            {"P2.bmp", Encoded(p2, "BMP"), true}}));
  std::string err;
  ASSERT_EQ(Command(RunMake, {dir / "out.qbb", "--author", "A", cbz}, &err), kExitOk) << err;
  EXPECT_NE(err.find("skipped " + cbz + ": readme.txt"), std::string::npos) << err;
  EXPECT_NE(err.find("__MACOSX/._p1.png"), std::string::npos) << err;

  QImage decodedJpeg;
  ASSERT_TRUE(qb::DecodePictureData(QByteArray::fromStdString(jpeg), decodedJpeg).ok());
  const std::vector<QImage> expected = {c1, p1, p2, icon, decodedJpeg, p10};
  const std::vector<QImage> pages = BookPages(dir / "out.qbb");
  ASSERT_EQ(pages.size(), expected.size());
  for (std::size_t i = 0; i < pages.size(); ++i) {
    EXPECT_EQ(pages[i], expected[i].convertToFormat(QImage::Format_RGB32)) << "page " << i + 1;
  }
}

// Names flagged UTF-8 and older unflagged code page 932 names, read under
// the C locale, where a naive conversion loses every non-ASCII name.
TEST(MakeFromArchive, JapaneseNamesSortAndShowUnderAnyLocale) {
  Scratch dir;
  const QImage first = Noise(6, 5, 1), second = Noise(5, 6, 2);
  const std::string cbz =
      WriteFile(dir, "jp.cbz",
                RawZip({{"第10話/01.png", Encoded(second, "PNG")},
                        {qb::cp932::Encode(u"第2話/01.png"), Encoded(first, "PNG"), false, -1, false},
                        {qb::cp932::Encode(u"あとがき.txt"), "x", false, -1, false}}));
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  std::string err;
  const int status = Command(RunMake, {dir / "out.qbb", "--author", "A", cbz}, &err);
  std::setlocale(LC_ALL, previous.c_str());
  ASSERT_EQ(status, kExitOk) << err;
  EXPECT_NE(err.find(cbz + ": あとがき.txt (not a page picture)"), std::string::npos) << err;
  const std::vector<QImage> pages = BookPages(dir / "out.qbb");
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0], first.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(pages[1], second.convertToFormat(QImage::Format_RGB32));
}

TEST(MakeFromArchive, ArchivesMixWithPictureFilesAndDamagedEntriesAreNamed) {
  Scratch dir;
  const QImage single = Noise(9, 9, 7), inside = Noise(4, 3, 8);
  WriteFile(dir, "single.bmp", Encoded(single, "BMP"));
  const std::string cbz = WriteFile(dir, "a.zip", RawZip({{"x.png", Encoded(inside, "PNG")}}));
  ASSERT_EQ(Command(RunMake, {dir / "out.qbb", "--author", "A", dir / "single.bmp", cbz, dir / "single.bmp"}), kExitOk);
  const std::vector<QImage> pages = BookPages(dir / "out.qbb");
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0], single.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(pages[1], inside.convertToFormat(QImage::Format_RGB32));

  const std::string damaged =
      WriteFile(dir, "d.cbz", RawZip({{"a.png", Encoded(inside, "PNG")}, {"b.png", "not a picture"}}));
  std::string err;
  EXPECT_EQ(Command(RunMake, {dir / "bad.qbb", "--author", "A", damaged}, &err), kExitPictureFailed);
  EXPECT_NE(err.find("page 2 (" + damaged + ": b.png)"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(dir / "bad.qbb"));

  const std::string empty = WriteFile(dir, "e.cbz", RawZip({{"notes.txt", "no pictures"}}));
  EXPECT_EQ(Command(RunMake, {dir / "none.qbb", empty}, &err), kExitNothingToBind);
  EXPECT_FALSE(fs::exists(dir / "none.qbb"));
}

TEST(MakeFromArchive, HostileArchivesAreRefusedWithNothingWritten) {
  Scratch dir;
  const std::string png = Encoded(Noise(4, 4, 9), "PNG");
  struct Case {
    const char* what;
    std::string archive;
    const char* message;
  };
  std::vector<RawEntry> tiny;
  for (int i = 0; i <= kMaxArchiveEntries; ++i) tiny.push_back({"t" + std::to_string(i) + ".png", "x"});
  const std::vector<Case> cases = {
      {"dotdot", RawZip({{"p1.png", png}, {"../p2.png", png}}), "points outside"},
      {"absolute", RawZip({{"/tmp/p2.png", png}}), "points outside"},
      {"claim", RawZip({{"p1.png", png, false, 0xFFFFFFF0LL}}), "claims 4294967280 bytes"},
      // Deflated zeros that claim to be a few bytes: the bomb inflates until
      // it passes its claim, and no further.
      {"bomb", RawZip({{"p1.png", std::string(32 << 20, '\0'), true, 100}}), "more than the 100 bytes it claims"},
      {"tiny", RawZip(tiny), "more than 5000 entries"},
      {"notzip", std::string("PK\x03\x04") + " not really a zip at all", "not a ZIP archive"},
      {"cut", RawZip({{"p1.png", png}, {"p2.png", png}}).substr(0, 60), "damaged"},
      {"notutf8", RawZip({{"p1.png", png}, {"第\xFF\\2.png", png}}), "named \"第\\xFF\\x5C2.png\", which is marked"},
  };
  for (const Case& c : cases) {
    const std::string cbz = WriteFile(dir, std::string(c.what) + ".cbz", c.archive);
    const std::vector<std::string> before = FolderContents(dir.path);
    std::string err;
    EXPECT_EQ(Command(RunMake, {dir / "out.qbb", "--author", "A", cbz}, &err), kExitArchiveRefused) << c.what << err;
    EXPECT_NE(err.find(c.message), std::string::npos) << c.what << ": " << err;
    EXPECT_EQ(FolderContents(dir.path), before) << c.what;
  }
}

// A small book through make, with every field set.
std::string MakeBook(const Scratch& dir, const std::string& name, const std::vector<QImage>& pictures,
                     const std::string& password) {
  Args args = {dir / name,
               "--author",
               "作者 太郎",
               "--title",
               "題名 <1>",
               "--comment",
               "一行目\n二行目 & 三",
               "--url",
               "http://example.com/a?b=1",
               "--mail",
               "m@example.com",
               "--price",
               "300"};
  if (!password.empty()) args.insert(args.end(), {"--password", password});
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    args.push_back(WriteFile(dir, name + std::to_string(i) + ".bmp", Encoded(pictures[i], "BMP")));
  }
  EXPECT_EQ(Command(RunMake, args), kExitOk);
  return dir / name;
}

TEST(ExportToArchive, ExportThenMakeGivesBackThePagesAndFields) {
  Scratch dir;
  const std::vector<QImage> pictures = {Noise(20, 11, 1), Noise(3, 30, 2), Noise(17, 17, 3)};
  const std::string book = MakeBook(dir, "book.qbb", pictures, "");
  std::string err;
  ASSERT_EQ(Command(RunExport, {book, dir / "book.cbz"}, &err), kExitOk) << err;

  const ArchiveListing listing = ListComicArchive(dir / "book.cbz");
  ASSERT_TRUE(listing.error.empty()) << listing.error;
  ASSERT_EQ(listing.pictures.size(), 3u);
  EXPECT_EQ(listing.pictures[0].name, "page001.png");
  EXPECT_EQ(listing.pictures[2].name, "page003.png");
  ASSERT_TRUE(listing.comicInfo.has_value());
  EXPECT_TRUE(listing.skipped.empty());

  ASSERT_EQ(Command(RunMake, {dir / "again.qbb", dir / "book.cbz"}, &err), kExitOk) << err;
  EXPECT_EQ(BookPages(dir / "again.qbb"), BookPages(book));
  qb::BookRecord original, again;
  ASSERT_EQ(qb::ReadBookHeader(qb::FromUtf8(book), original), qb::kBookSound);
  ASSERT_EQ(qb::ReadBookHeader(qb::FromUtf8(dir / "again.qbb"), again), qb::kBookSound);
  EXPECT_EQ(again.Title, original.Title);
  EXPECT_EQ(again.Author, original.Author);
  EXPECT_EQ(again.Comment, original.Comment);
  EXPECT_EQ(again.Url, original.Url);

  // Options still win over the archive's description.
  ASSERT_EQ(Command(RunMake, {dir / "titled.qbb", "--title", "別題", dir / "book.cbz"}), kExitOk);
  qb::BookRecord titled;
  ASSERT_EQ(qb::ReadBookHeader(qb::FromUtf8(dir / "titled.qbb"), titled), qb::kBookSound);
  EXPECT_EQ(titled.Title.substr(0, 2), u"別題");
  EXPECT_EQ(titled.Author, original.Author);
}

TEST(ExportToArchive, APasswordBookNeedsItsPassword) {
  Scratch dir;
  const std::string book = MakeBook(dir, "locked.qbb", {Noise(5, 5, 1)}, "secret");
  std::string err;
  EXPECT_EQ(Command(RunExport, {book, dir / "a.cbz"}, &err), kExitWrongPassword);
  EXPECT_NE(err.find("--password"), std::string::npos) << err;
  for (const char* wrong : {"Secret", "secret ", ""}) {
    EXPECT_EQ(Command(RunExport, {"--password", wrong, book, dir / "a.cbz"}, &err), kExitWrongPassword) << wrong;
    EXPECT_NE(err.find("is not the password"), std::string::npos) << err;
  }
  EXPECT_FALSE(fs::exists(dir / "a.cbz"));
  EXPECT_EQ(Command(RunExport, {"--password", "secret", book, dir / "a.cbz"}), kExitOk);
  EXPECT_EQ(ListComicArchive(dir / "a.cbz").pictures.size(), 1u);
}

TEST(ExportToArchive, RefusedBooksAndUnwritableFoldersLeaveNothing) {
  Scratch dir;
  EXPECT_EQ(Command(RunExport, {WriteFile(dir, "x.qbb", "not a book at all, just some text"), dir / "x.cbz"}),
            kExitNotABook);
  EXPECT_FALSE(fs::exists(dir / "x.cbz"));
  const std::string book = MakeBook(dir, "b.qbb", {Noise(5, 5, 1)}, "");
  EXPECT_EQ(Command(RunExport, {book, dir / "missing/b.cbz"}), kExitCannotWrite);
  // A damaged last page: the old archive at OUT stays as it was.
  WriteFile(dir, "old.cbz", "old");
  std::string bytes = test::Slurp(book);
  bytes.resize(bytes.size() - 10);
  const std::string cut = WriteFile(dir, "cut.qbb", bytes);
  EXPECT_EQ(Command(RunExport, {cut, dir / "old.cbz"}), kExitDamaged);
  EXPECT_EQ(test::Slurp(dir / "old.cbz"), "old");
  EXPECT_EQ(Command(RunExport, {book}), kExitUsage);
}

}  // namespace
}  // namespace qbbtool
