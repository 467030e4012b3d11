// From pictures to a book the reader opens: export through the window with
// scripted dialogs, then the reader gives back the fields and every pixel of
// the source pictures; and "qbbtool build" on the definition file written
// beside the book produces the same book.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <filesystem>

#include "book/book_reader.h"
#include "common/text_helpers.h"
#include "editor/limited_line_edit.h"
#include "editor_test_support.h"

namespace qb::editor {
namespace {

using test::EditorHarness;
using test::PatternPicture;
using test::ReadBytes;
using test::SavePicture;
using test::TempFolder;

// Page pixels are stored bottom row first.
void ExpectPagePixels(const PageImage& page, const QImage& source) {
  ASSERT_EQ(page.Width, source.width());
  ASSERT_EQ(page.Height, source.height());
  ASSERT_EQ(page.Pixels.size(), static_cast<std::size_t>(source.width() * source.height() + 1));
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      const std::size_t at = static_cast<std::size_t>((source.height() - 1 - y) * source.width() + x);
      ASSERT_EQ(page.Pixels[at] & 0xFFFFFF, source.pixel(x, y) & 0xFFFFFF) << x << "," << y;
    }
  }
}

class ExportEndToEnd : public ::testing::Test {
 protected:
  ExportEndToEnd() {
    first_ = PatternPicture(13, 7, 1);
    second_ = PatternPicture(6, 11, 2);
    h_.AddImage(SavePicture(first_, h_.work / "pics/one.bmp"));
    const std::u16string png = h_.work / "pics/two.png";
    second_.save(QString::fromStdU16String(png), "PNG");
    h_.AddImage(png);
    frmEdit& w = h_.Window();
    w.LineField(0)->ShowText(QStringLiteral("山田花子"));
    w.LineField(1)->ShowText(QStringLiteral("ふしぎな森のおはなし"));
    w.LineField(2)->ShowText(QStringLiteral("pw"));
    w.LineField(3)->ShowText(QStringLiteral("300"));
    w.LineField(4)->ShowText(QStringLiteral("https://hanako.example/"));
    w.LineField(5)->ShowText(QStringLiteral("hanako@example.org"));
    w.CommentField()->setPlainText(QStringLiteral("一行目\n二行目"));
    std::filesystem::create_directories(h_.work.path() / "books");
    h_.Export(h_.work / "books/fable");
    EXPECT_TRUE(h_.boxes.Calls().empty());
  }

  EditorHarness h_;
  QImage first_;
  QImage second_;
};

TEST_F(ExportEndToEnd, ReaderGivesBackTheFieldsAndThePictures) {
  const std::u16string path = h_.work / "books/fable.qbb";
  BookRecord book;
  ASSERT_EQ(ReadBookHeader(path, book), kBookSound);
  // The reader pads the fixed-width texts to their widths in characters.
  EXPECT_EQ(book.Author, FitToChars(u"山田花子", kAuthorWidth));
  EXPECT_EQ(book.Title, FitToChars(u"ふしぎな森のおはなし", kTitleWidth));
  EXPECT_EQ(book.Password, FitToChars(u"pw", kPasswordWidth));
  EXPECT_EQ(book.Price, 300);
  EXPECT_EQ(book.PageCount, 2);
  EXPECT_EQ(book.Url, u"https://hanako.example/");
  EXPECT_EQ(book.Mail, u"hanako@example.org");
  EXPECT_EQ(book.Comment, u"一行目\r\n二行目");
  ASSERT_EQ(book.PageTable.size(), 2u);
  PageImage page;
  ASSERT_EQ(ReadPageImage(path, page, book.PageTable[0]), 0);
  ExpectPagePixels(page, first_);
  ASSERT_EQ(ReadPageImage(path, page, book.PageTable[1]), 0);
  ExpectPagePixels(page, second_);
}

TEST_F(ExportEndToEnd, QbbtoolBuildMakesTheSameBook) {
  // The tool is run from a copy in a temporary folder, so the settings it
  // updates (in its own folder) stay out of the build tree.
  const QString built = QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/qbbtool/qbbtool");
  ASSERT_TRUE(QFileInfo::exists(built)) << "build the qbbtool target first: " << built.toStdString();
  TempFolder tool;
  const std::filesystem::path copy = tool.path() / "qbbtool";
  std::filesystem::copy_file(built.toStdString(), copy);

  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(QString::fromStdString(copy.string()),
                {QStringLiteral("build"), QString::fromStdU16String(h_.work / "books/fable.qbd"),
                 QString::fromStdU16String(h_.work / "tool")});
  ASSERT_TRUE(process.waitForFinished(60000));
  ASSERT_EQ(process.exitCode(), 0) << process.readAll().toStdString();

  std::string window = ReadBytes(h_.work / "books/fable.qbb");
  std::string cli = ReadBytes(h_.work / "tool.qbb");
  ASSERT_EQ(window.size(), cli.size());
  ASSERT_GT(window.size(), 109u);
  // Only the key (107) and its check (108) are drawn afresh for each book.
  for (const std::size_t at : {std::size_t{107}, std::size_t{108}}) window[at] = cli[at] = 0;
  EXPECT_TRUE(window == cli);
  EXPECT_EQ(ReadBytes(h_.work / "tool.qbd"), ReadBytes(h_.work / "books/fable.qbd"));
  EXPECT_TRUE(std::filesystem::exists(tool.path() / "Quilly.Ini"));
}

}  // namespace
}  // namespace qb::editor
