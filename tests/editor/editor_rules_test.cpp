// The Editor's small rules: file names at export, dialog filters, the image
// list's selection and move rules, the comment escape, the record export
// builds from the fields, and how many pages it binds.

#include <gtest/gtest.h>

#include "book/book_reader.h"
#include "book/book_test_support.h"
#include "editor/book_export.h"
#include "editor/comment_escape.h"
#include "editor/export_messages.h"
#include "editor/export_names.h"
#include "editor/file_dialog_texts.h"
#include "editor/image_list_rules.h"
#include "editor/number_text.h"

namespace qb::editor {
namespace {

using namespace std::string_literals;

TEST(ExportNames, QbbAppendedUnlessTheNameEndsInItInAnyCase) {
  EXPECT_EQ(BookFileName(u"/b/fable"), u"/b/fable.qbb");
  EXPECT_EQ(BookFileName(u"/b/fable.qbb"), u"/b/fable.qbb");
  EXPECT_EQ(BookFileName(u"/b/fable.QBB"), u"/b/fable.QBB");
  EXPECT_EQ(BookFileName(u"/b/fable.Qbb"), u"/b/fable.Qbb");
  EXPECT_EQ(BookFileName(u"/b/fable.txt"), u"/b/fable.txt.qbb");
  EXPECT_EQ(BookFileName(u"qbb"), u"qbb.qbb");
  EXPECT_EQ(BookFileName(u"/b/fable.ｑｂｂ"), u"/b/fable.ｑｂｂ.qbb");
}

TEST(ExportNames, DefinitionBesideTheBook) {
  EXPECT_EQ(DefinitionPathForBook(u"/b/fable.qbb"), u"/b/fable.qbd");
  EXPECT_EQ(DefinitionPathForBook(u"/b/fable.QBB"), u"/b/fable.qbd");
  EXPECT_EQ(DefinitionPathForBook(u"/b/fable.txt.qbb"), u"/b/fable.txt.qbd");
}

TEST(FileDialogTexts, GifOnlyWhileTheOptionIsNonzero) {
  EXPECT_EQ(ImagePatterns(1), u"*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.png;*.wmf;*.webp;*.tif;*.tiff;*.avif");
  EXPECT_EQ(ImagePatterns(-1), u"*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.png;*.wmf;*.webp;*.tif;*.tiff;*.avif");
  EXPECT_EQ(ImagePatterns(0), u"*.bmp;*.ico;*.jpg;*.jpeg;*.png;*.wmf;*.webp;*.tif;*.tiff;*.avif");
  EXPECT_EQ(ImageFilter(0),
            u"画像ファイル\0*.bmp;*.ico;*.jpg;*.jpeg;*.png;*.wmf;*.webp;*.tif;*.tiff;*.avif\0すべてのファイル\0*.*\0"s);
}

TEST(ImageListRules, MovesStopAtTheEndsAndWithoutSelection) {
  EXPECT_EQ(MoveTarget(1, -1, 3), 0);
  EXPECT_EQ(MoveTarget(1, +1, 3), 2);
  EXPECT_EQ(MoveTarget(0, -1, 3), -1);
  EXPECT_EQ(MoveTarget(2, +1, 3), -1);
  EXPECT_EQ(MoveTarget(-1, +1, 3), -1);
  EXPECT_EQ(MoveTarget(0, +1, 1), -1);
  EXPECT_EQ(SelectionAfterDelete(2), 0);
  EXPECT_EQ(SelectionAfterDelete(0), -1);
}

TEST(CommentEscape, CrLfIsDelNAndLoneBreaksAreKept) {
  EXPECT_EQ(EscapeCommentBreaks(u"a\r\nb"), u"a\x7Fnb");
  EXPECT_EQ(EscapeCommentBreaks(u"a\nb\rc\r\n"), u"a\x7Flb\x7Frc\x7Fn");
  EXPECT_EQ(UnescapeCommentBreaks(u"a\x7Fnb"), u"a\r\nb");
  for (const char16_t* comment : {u"a\nb\rc\r\n\r\nd", u"\n\r", u"\r\r\n\n", u"plain"}) {
    EXPECT_EQ(UnescapeCommentBreaks(EscapeCommentBreaks(comment)), comment);
  }
}

TEST(CommentEscape, OlderValuesReadAsBefore) {
  // Left to right without overlaps, as the plain replacement did; a DEL
  // before anything else stays.
  EXPECT_EQ(UnescapeCommentBreaks(u"a\x7F\x7Fnb"), u"a\x7F\r\nb");
  EXPECT_EQ(UnescapeCommentBreaks(u"a\x7Fxb\x7F"), u"a\x7Fxb\x7F");
}

TEST(RecordFromFields, FitsTextsAndReadsThePrice) {
  const EditorFields fields{u"  作者  ",         u"",      u"pass word!",           u"12.5xyz",
                            u"  http://a/\x7F ", u" m@a ", u" one\ntwo\rthree\x7F "};
  const BookRecord book = RecordFromFields(fields, 3);
  EXPECT_EQ(book.Author, u"  作者" + std::u16string(18, u' '));
  EXPECT_EQ(book.Title, u"[無題]" + std::u16string(50, u' '));
  EXPECT_EQ(book.Password, u"pass wor");
  EXPECT_EQ(book.Price, 12);  // "12.5" is all of the first four bytes
  EXPECT_EQ(book.PageCount, 3);
  EXPECT_EQ(book.Url, u"http://a/");
  EXPECT_EQ(book.Mail, u"m@a");
  EXPECT_EQ(book.Comment, u"one\r\ntwo\r\nthree");
}

TEST(RecordFromFields, TypedPriceIsCutToFourBytesFirst) {
  const auto price = [](const char16_t* text) {
    EditorFields fields;
    fields.author = u"a";
    fields.price = text;
    return RecordFromFields(fields, 1).Price;
  };
  EXPECT_EQ(price(u"1.5E3"), 2);
  EXPECT_EQ(price(u"9E99"), 2147483647);
  EXPECT_EQ(price(u"00012"), 1);
  EXPECT_EQ(price(u"12345 "), 1234);
  // A full-width digit is two bytes and no number.
  EXPECT_EQ(price(u"１２"), 0);
}

TEST(PriceFromField, PriceTheEditorWroteIsTakenWholeSoASecondSaveKeepsIt) {
  for (const std::int32_t written : {2147483647, -2147483647 - 1, 100000, 12345, 980, 0, -5}) {
    const std::u16string shown = DecimalText(written);
    EXPECT_EQ(PriceFromField(shown), written) << written;
    EXPECT_EQ(PriceFromField(DecimalText(PriceFromField(shown))), written) << written;
  }
  EXPECT_EQ(PriceFromField(DecimalText(PriceFromField(u"9E99"))), 2147483647);
  EXPECT_EQ(PriceFromField(u"+12345"), 123);
}

// Answers every question of an export: the book goes to one path.
class UnattendedExportUi : public ExportUi {
 public:
  explicit UnattendedExportUi(std::u16string bookPath) : bookPath_(std::move(bookPath)) {}
  void Refuse(ExportRefusal why) override { refusals.push_back(why); }
  void ShowFields(const EditorFields&) override {}
  std::u16string AskBookPath(const std::u16string&) override { return bookPath_; }
  void SetBusy(bool) override {}
  bool Progress(int, int) override { return true; }
  void ReportFailure(const ExportResult&, const std::u16string& message) override { failures.push_back(message); }
  void ReportTextLosses(const std::vector<TextLoss>&) override {}
  std::vector<ExportRefusal> refusals;
  std::vector<std::u16string> failures;

 private:
  std::u16string bookPath_;
};

TEST(ExportBook, BindsAsManyImagesAsABookHoldsAndRefusesOneMore) {
  test::TempDir dir;
  test::FakeSurface surface;
  surface.pictures[u"p.bmp"] = test::Picture(1, 1, {0x123456});
  EditorFields fields;
  fields.author = u"Ann";
  for (const std::size_t count : {32767u, 32768u}) {
    SCOPED_TRACE(count);
    EditorSettings settings;
    settings.settingsPath = test::U16(dir / "Quilly.Ini");
    UnattendedExportUi ui(test::U16(dir / "book.qbb"));
    const ExportResult result = ExportBook(fields, std::vector<std::u16string>(count, u"p.bmp"), settings, surface, ui);
    EXPECT_TRUE(ui.failures.empty());
    if (count == 32767u) {
      ASSERT_EQ(result.outcome, ExportResult::Outcome::Finished);
      EXPECT_EQ(result.writeStatus, kWriteOk);
      BookRecord book;
      ASSERT_EQ(ReadBookHeader(result.bookPath, book), kBookSound);
      EXPECT_EQ(book.PageCount, 32767);
      EXPECT_TRUE(ui.refusals.empty());
    } else {
      EXPECT_EQ(result.outcome, ExportResult::Outcome::Refused);
      EXPECT_EQ(ui.refusals, std::vector<ExportRefusal>{ExportRefusal::TooManyImages});
    }
  }
}

TEST(ExportMessages, TextLossesAreListedByFieldLabel) {
  const std::vector<TextLoss> losses{{BookText::Author, u"ü"}, {BookText::Url, u"ñ😀é"}};
  EXPECT_EQ(TextLossMessage(losses),
            u"次の文字はブックの文字コード（シフトJIS）にないため、ブックには似た文字か「?」で保存しました。\r\n"
            u"\r\n作者： ü\r\nＵＲＬ： ñ 😀 é\r\n"
            u"\r\n入力欄と定義ファイルには元の文字のまま残っています。");
}

TEST(ExportMessages, FailureNamesThePictureAndWhereTheWorkIs) {
  ExportResult result;
  result.outcome = ExportResult::Outcome::Finished;
  result.bookPath = u"/b/fable.qbb";
  result.definitionPath = u"/b/fable.qbd";
  result.writeStatus = kWritePictureFailed;
  result.writeDetail.pictureIndex = 1;
  result.definitionSaved = true;
  const std::vector<std::u16string> images{u"/p/1.bmp", u"/p/2.bmp"};
  EXPECT_EQ(ExportFailureMessage(result, images),
            u"ページ 2 の画像を読み込めませんでした。\r\n/p/2.bmp\r\nブックは書き出されませんでした。\r\n\r\n"
            u"定義ファイルは保存しました。\r\n/b/fable.qbd");

  result.writeStatus = kWriteIoError;
  result.writeDetail.pictureIndex = -1;
  result.definitionSaved = false;
  EXPECT_EQ(ExportFailureMessage(result, images),
            u"ブックファイルを書き込めませんでした。\r\n/b/fable.qbb\r\nブックは書き出されませんでした。\r\n\r\n"
            u"定義ファイルを保存できませんでした。\r\n/b/fable.qbd");
}

TEST(ExportMessages, NothingToSayForSuccessOrAUserCancel) {
  ExportResult result;
  result.outcome = ExportResult::Outcome::Finished;
  result.writeStatus = kWriteOk;
  result.definitionSaved = true;
  EXPECT_EQ(ExportFailureMessage(result, {}), u"");
  result.writeStatus = kWriteCancelled;
  EXPECT_EQ(ExportFailureMessage(result, {}), u"");
  result.definitionSaved = false;
  result.definitionPath = u"/b/x.qbd";
  EXPECT_EQ(ExportFailureMessage(result, {}), u"定義ファイルを保存できませんでした。\r\n/b/x.qbd");
}

}  // namespace
}  // namespace qb::editor
