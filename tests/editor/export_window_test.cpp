// Export through the save button (editor/book_export.cpp behind the main
// window): the checks and their order, fitting and the fields afterwards,
// the book's name rules, cancelling, and a book that fails to write.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPlainTextEdit>
#include <algorithm>
#include <filesystem>

#include "book/book_reader.h"
#include "common/ini_access.h"
#include "editor/limited_line_edit.h"
#include "editor_test_support.h"

namespace qb::editor {
namespace {

using test::Cp932;
using test::EditorHarness;
using test::ReadBytes;
using test::SavePicture;
using test::SolidPicture;

class ExportWindow : public ::testing::Test {
 protected:
  ExportWindow() {
    EXPECT_NE(PutIniString(u"System", u"LastFolder", h_.work.text(), h_.SettingsPath()), 0);
    picture_ = SavePicture(SolidPicture(8, 6, qRgb(200, 100, 50)), h_.work / "pics/p1.bmp");
  }

  frmEdit& Window() { return h_.Window(); }

  void Fill(const QString& author, const QString& title = QStringLiteral("題"), const QString& price = {}) {
    Window().LineField(0)->ShowText(author);
    Window().LineField(1)->ShowText(title);
    Window().LineField(3)->ShowText(price);
  }

  BookRecord Book(const std::string& name) {
    BookRecord book;
    EXPECT_EQ(ReadBookHeader(h_.work / name, book), kBookSound) << name;
    return book;
  }

  // The header bytes of a fixed-width text: author at 9, title at 33.
  std::string HeaderBytes(const std::string& name, std::size_t offset, std::size_t width) {
    return ReadBytes(h_.work / name).substr(offset, width);
  }

  bool AskedForABookName() const {
    return std::any_of(h_.dialogs.FileRequests().begin(), h_.dialogs.FileRequests().end(),
                       [](const FileDialogRequest& request) { return request.kind == FileDialogKind::Save; });
  }

  std::vector<std::string> WorkFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(h_.work.path())) {
      if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  EditorHarness h_;
  std::u16string picture_;
};

TEST_F(ExportWindow, EmptyListIsReportedBeforeABlankAuthor) {
  Fill(QString(), QString(), QStringLiteral("abc"));
  Window().BTN_Click(0);
  ASSERT_EQ(h_.boxes.Calls().size(), 1u);
  EXPECT_EQ(h_.boxes.Calls()[0].text, QStringLiteral("画像を選択してください。"));
  EXPECT_EQ(h_.boxes.Calls()[0].title, QStringLiteral("確認"));
  EXPECT_EQ(h_.boxes.Calls()[0].icon, MessageIcon::Information);
  EXPECT_EQ(h_.boxes.Calls()[0].buttons, MessageButtons::Ok);
  EXPECT_FALSE(AskedForABookName());
  EXPECT_EQ(Window().LineField(3)->text(), QStringLiteral("abc"));
}

TEST_F(ExportWindow, AuthorOfOnlySpacesIsRefusedAndFieldsStayAsTyped) {
  h_.AddImage(picture_);
  Fill(QStringLiteral("   "), QStringLiteral("  "), QStringLiteral("12.5"));
  Window().BTN_Click(0);
  ASSERT_EQ(h_.boxes.Calls().size(), 1u);
  EXPECT_EQ(h_.boxes.Calls()[0].text, QStringLiteral("作者を入力してください。"));
  EXPECT_EQ(h_.boxes.Calls()[0].title, QStringLiteral("確認"));
  EXPECT_FALSE(AskedForABookName());
  EXPECT_EQ(Window().LineField(1)->text(), QStringLiteral("  "));
  EXPECT_EQ(Window().LineField(3)->text(), QStringLiteral("12.5"));
}

TEST_F(ExportWindow, BlankTitleBecomesUntitledInBookAndField) {
  h_.AddImage(picture_);
  Fill(QStringLiteral("作者"), QStringLiteral("   "));
  h_.Export(h_.work / "fable");
  EXPECT_EQ(Window().LineField(1)->text(), QStringLiteral("[無題]"));
  EXPECT_EQ(HeaderBytes("fable.qbb", 33, 56), Cp932(u"[無題]") + std::string(50, ' '));
  EXPECT_TRUE(h_.boxes.Calls().empty());
}

TEST_F(ExportWindow, AuthorIsFittedTo24Bytes) {
  h_.AddImage(picture_);
  const QString twelve = QStringLiteral("あいうえおかきくけこさし");
  Fill(twelve);
  h_.Export(h_.work / "twelve");
  EXPECT_EQ(HeaderBytes("twelve.qbb", 9, 24), Cp932(twelve.toStdU16String()));
  EXPECT_EQ(Window().LineField(0)->text(), twelve);

  Fill(twelve + QStringLiteral("す"));
  h_.Export(h_.work / "thirteen");
  EXPECT_EQ(HeaderBytes("thirteen.qbb", 9, 24), Cp932(twelve.toStdU16String()));
  EXPECT_EQ(Window().LineField(0)->text(), twelve);
}

// The password is stored whole or refused: 8 bytes of code page 932 at 91.
TEST_F(ExportWindow, PasswordThatDoesNotFitIsRefusedNotCut) {
  h_.AddImage(picture_);
  const std::pair<QString, bool> cases[] = {
      {"abcdefgh", true}, {"パスワー", true}, {"ｱｲｳｴｵｶｷｸ", true}, {"abcdefghi", false}, {"パスワード", false}};
  for (const auto& [password, fits] : cases) {
    Fill(QStringLiteral("作者"));
    Window().LineField(2)->ShowText(password);
    const std::size_t boxes = h_.boxes.Calls().size();
    const std::size_t dialogs = h_.dialogs.FileRequests().size();
    if (fits) {
      h_.Export(h_.work / "locked");
      EXPECT_EQ(HeaderBytes("locked.qbb", 91, 8), Cp932(password.toStdU16String())) << password.toStdString();
      EXPECT_EQ(h_.boxes.Calls().size(), boxes) << password.toStdString();
      continue;
    }
    Window().BTN_Click(0);
    EXPECT_EQ(h_.dialogs.FileRequests().size(), dialogs) << password.toStdString();
    ASSERT_EQ(h_.boxes.Calls().size(), boxes + 1) << password.toStdString();
    EXPECT_EQ(h_.boxes.Calls().back().title, QStringLiteral("確認"));
    EXPECT_NE(h_.boxes.Calls().back().text.indexOf(QStringLiteral("8 バイト")), -1);
    EXPECT_EQ(Window().LineField(2)->text(), password);
  }
}

TEST_F(ExportWindow, PriceIsTheLeadingNumberRoundedHalfToEven) {
  h_.AddImage(picture_);
  const std::pair<QString, int> cases[] = {{"12.5", 12}, {"13.5", 14}, {"abc", 0}, {"", 0}, {"1E5", 100000}};
  for (const auto& [typed, price] : cases) {
    Fill(QStringLiteral("作者"), QStringLiteral("題"), typed);
    h_.Export(h_.work / "priced");
    EXPECT_EQ(Book("priced.qbb").Price, price) << typed.toStdString();
    EXPECT_EQ(Window().LineField(3)->text(), QString::number(price)) << typed.toStdString();
  }
}

TEST_F(ExportWindow, PriceWrittenBackIsStoredAgainBySecondSave) {
  h_.AddImage(picture_);
  Fill(QStringLiteral("作者"), QStringLiteral("題"), QStringLiteral("9E99"));
  h_.Export(h_.work / "priced");
  ASSERT_EQ(Window().LineField(3)->text(), QStringLiteral("2147483647"));
  h_.Export(h_.work / "priced");
  EXPECT_EQ(Book("priced.qbb").Price, 2147483647);
  EXPECT_EQ(Window().LineField(3)->text(), QStringLiteral("2147483647"));
}

TEST_F(ExportWindow, CharactersTheBookCannotHoldAreToldOnceAfterTheExport) {
  h_.AddImage(picture_);
  Fill(QStringLiteral("作者"), QStringLiteral("Müller's 絵本 😀"));
  Window().LineField(5)->ShowText(QStringLiteral("é@mail.example"));
  h_.Export(h_.work / "fable");
  ASSERT_EQ(h_.boxes.Calls().size(), 1u);
  const ScriptedMessageBoxes::Call& told = h_.boxes.Calls()[0];
  EXPECT_EQ(told.icon, MessageIcon::Information);
  EXPECT_EQ(told.title, QStringLiteral("Quillberry"));
  EXPECT_TRUE(told.text.contains(QStringLiteral("\r\nタイトル： ü 😀\r\nE-MAIL： é\r\n"))) << told.text.toStdString();
  EXPECT_EQ(Window().LineField(1)->text(), QStringLiteral("Müller's 絵本 😀")) << "the field keeps the text";
  EXPECT_EQ(Book("fable.qbb").Title.substr(0, 8), u"Muller's");

  Fill(QStringLiteral("作者"), QStringLiteral("絵本"));
  Window().LineField(5)->ShowText(QStringLiteral("a@mail.example"));
  h_.Export(h_.work / "fable");
  EXPECT_EQ(h_.boxes.Calls().size(), 1u) << "nothing to tell for texts that fit";
}

TEST_F(ExportWindow, NamesGetQbbUnlessTheyEndInItAndTheDefinitionGoesBeside) {
  h_.AddImage(picture_);
  Fill(QStringLiteral("作者"));
  h_.Export(h_.work / "fable");
  h_.Export(h_.work / "upper.QBB");
  h_.Export(h_.work / "story.txt");
  EXPECT_EQ(WorkFiles(), (std::vector<std::string>{"fable.qbb", "fable.qbd", "story.txt.qbb", "story.txt.qbd",
                                                   "upper.QBB", "upper.qbd"}));
}

TEST_F(ExportWindow, SaveDialogStartsInTheRememberedFolder) {
  h_.AddImage(picture_);
  Fill(QStringLiteral("作者"));
  h_.Export(h_.work / "fable");
  const FileDialogRequest& request = h_.dialogs.FileRequests().back();
  EXPECT_EQ(request.kind, FileDialogKind::Save);
  EXPECT_EQ(request.owner, &Window());
  EXPECT_EQ(request.title, QStringLiteral("ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ選択"));
  EXPECT_EQ(request.initialFolder, QString::fromStdU16String(h_.work.text()));
  EXPECT_EQ(request.nameFilters, QStringList({"ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ (*.qbb)"}));
  EXPECT_EQ(request.flags, 0x201006u);
  EXPECT_EQ(request.defaultExtension, QStringLiteral("qbb")) << "the overwrite question needs the real name";
}

TEST_F(ExportWindow, CancelledDialogKeepsTheFittedFieldsAndWritesNothing) {
  h_.AddImage(picture_);
  Fill(QStringLiteral("  作者  "), QStringLiteral(" "), QStringLiteral("abc"));
  Window().LineField(4)->ShowText(QStringLiteral("  http://x/  "));
  const std::string settings = ReadBytes(h_.SettingsPath());
  h_.dialogs.CancelFile();
  Window().BTN_Click(0);
  EXPECT_EQ(Window().LineField(0)->text(), QStringLiteral("作者"));
  EXPECT_EQ(Window().LineField(1)->text(), QStringLiteral("[無題]"));
  EXPECT_EQ(Window().LineField(3)->text(), QStringLiteral("0"));
  EXPECT_EQ(Window().LineField(4)->text(), QStringLiteral("http://x/"));
  EXPECT_TRUE(WorkFiles().empty());
  EXPECT_EQ(ReadBytes(h_.SettingsPath()), settings);
}

TEST_F(ExportWindow, CommentKeepsEveryLineAndFreeTextsLoseDel) {
  h_.AddImage(picture_);
  Fill(QStringLiteral("作者"));
  Window().CommentField()->setPlainText(QStringLiteral("first\nsecond\n\nlast\x7F"));
  Window().LineField(4)->ShowText(QStringLiteral("http://a\x7F/"));
  h_.Export(h_.work / "fable");
  const BookRecord book = Book("fable.qbb");
  EXPECT_EQ(book.Comment, u"first\r\nsecond\r\n\r\nlast");
  EXPECT_EQ(book.Url, u"http://a/");
  EXPECT_EQ(GetIniString(u"System", u"コメント", u"", h_.work / "fable.qbd"), u"first\x7Fnsecond\x7Fn\x7Fnlast");
  EXPECT_EQ(Window().LineField(4)->text(), QStringLiteral("http://a/"));
}

TEST_F(ExportWindow, ExportRemembersTheAuthorAndTheBooksFolder) {
  h_.AddImage(picture_);
  Fill(QStringLiteral("作者"));
  Window().LineField(4)->ShowText(QStringLiteral("http://home/"));
  Window().LineField(5)->ShowText(QStringLiteral("me@home"));
  std::filesystem::create_directories(h_.work.path() / "out");
  h_.Export(h_.work / "out/fable");
  EXPECT_EQ(GetIniString(u"UserInfo", u"Name", u"", h_.SettingsPath()), u"作者");
  EXPECT_EQ(GetIniString(u"UserInfo", u"URL", u"", h_.SettingsPath()), u"http://home/");
  EXPECT_EQ(GetIniString(u"UserInfo", u"MAIL", u"", h_.SettingsPath()), u"me@home");
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"", h_.SettingsPath()), h_.work / "out");
  EXPECT_EQ(Window().Settings().lastFolder, h_.work / "out");
}

TEST_F(ExportWindow, FailedBookIsReportedKeepsTheOldBookAndStillSavesTheDefinition) {
  h_.AddImage(picture_);
  Fill(QStringLiteral("作者"));
  h_.Export(h_.work / "fable");
  const std::string oldBook = ReadBytes(h_.work / "fable.qbb");
  ASSERT_FALSE(oldBook.empty());

  const std::u16string missing = h_.work / "pics/gone.bmp";
  h_.AddImage(picture_);
  Window().ILst()->item(1)->setText(QString::fromStdU16String(missing));
  h_.Export(h_.work / "fable.qbb");

  ASSERT_EQ(h_.boxes.Calls().size(), 1u);
  const auto& call = h_.boxes.Calls()[0];
  EXPECT_EQ(call.title, QStringLiteral("Quillberry"));
  EXPECT_EQ(call.icon, MessageIcon::Critical);
  EXPECT_TRUE(call.text.startsWith(QStringLiteral("ページ 2 の画像を読み込めませんでした。\r\n") +
                                   QString::fromStdU16String(missing)))
      << call.text.toStdString();
  EXPECT_EQ(ReadBytes(h_.work / "fable.qbb"), oldBook);
  EXPECT_EQ(GetIniString(u"System", u"画像数", u"", h_.work / "fable.qbd"), u"2");
  EXPECT_EQ(GetIniString(u"Image", u"2", u"", h_.work / "fable.qbd"), missing);
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"", h_.SettingsPath()), h_.work.text());
}

}  // namespace
}  // namespace qb::editor
