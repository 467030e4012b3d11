// Start-up (editor/editor_main.cpp, frmEdit::Form_Load): the settings
// written on the first run, the fields prefilled from them, the file-type
// registrations, and a definition file named on the command line.

#include "editor/editor_main.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QListWidget>
#include <filesystem>

#include "common/ini_access.h"
#include "common/settings.h"
#include "common/utf8.h"
#include "editor/definition_file.h"
#include "editor/limited_line_edit.h"
#include "editor_test_support.h"
#include "support/file_type_recording_store.h"
#include "support/scripted_dialog_backend.h"
#include "support/scripted_message_boxes.h"

namespace qb::editor {
namespace {

using test::ReadBytes;
using test::SavePicture;
using test::SolidPicture;
using test::TempFolder;

class EditorStart : public ::testing::Test {
 protected:
  std::unique_ptr<frmEdit> Start(const std::vector<std::u16string>& arguments = {}) {
    return EditorMain(program_.text(), fileTypes_, arguments);
  }
  std::u16string Settings() const { return program_ / "Quilly.Ini"; }

  TempFolder program_;
  TempFolder work_;
  RecordingFileTypeStore fileTypes_;
  ScriptedDialogBackend dialogs_;
  ScriptedMessageBoxes boxes_;
};

TEST_F(EditorStart, FirstStartWritesEveryKeyInOrderAndShowsEmptyFields) {
  const auto window = Start();
  const std::string folder = program_.path().string();
  EXPECT_EQ(ReadBytes(Settings()),
            "[UserInfo]\r\nName=\r\nURL=\r\nMAIL=\r\n[System]\r\nLastFolder=" + folder + "/Book\r\n");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Fields(), EditorFields{});
}

TEST_F(EditorStart, RegistersTheDefinitionTypeThenTheBookTypeFromTheProgramFolder) {
  const auto window = Start();
  const std::vector<RecordingFileTypeStore::Registration> expected{{u"QuillberryData", program_.text()},
                                                                   {u"QuillberryBook", program_.text()}};
  EXPECT_EQ(fileTypes_.Writes(), expected);

  RecordingFileTypeStore registered;
  registered.MarkRegistered(u"QuillberryData");
  registered.MarkRegistered(u"QuillberryBook");
  const auto again = EditorMain(program_.text(), registered, {});
  EXPECT_TRUE(registered.Writes().empty());
}

TEST_F(EditorStart, AuthorUrlAndMailArePrefilledFromTheSettings) {
  ASSERT_NE(PutIniString(u"UserInfo", u"Name", u"山田花子              ", Settings()), 0);
  ASSERT_NE(PutIniString(u"UserInfo", u"URL", u"http://hanako/", Settings()), 0);
  ASSERT_NE(PutIniString(u"UserInfo", u"MAIL", u"hanako@example.org", Settings()), 0);
  const auto window = Start();
  const EditorFields fields = window->Fields();
  EXPECT_EQ(fields.author, u"山田花子");
  EXPECT_EQ(fields.url, u"http://hanako/");
  EXPECT_EQ(fields.mail, u"hanako@example.org");
  EXPECT_EQ(fields.title, u"");
}

TEST_F(EditorStart, CommandLineLoadsAQuotedOrSplitPathWithoutChangingTheRememberedFolder) {
  std::filesystem::create_directories(work_.path() / "my books");
  const std::u16string definition = work_ / "my books/fable.qbd";
  BookRecord book;
  book.Title = u"ふしぎな森";
  book.PageCount = 1;
  EditorSettings scratch = LoadEditorSettings(work_.text());
  ASSERT_TRUE(SaveDefinitionFile(definition, book, {u"/p/1.bmp"}, scratch));
  const std::u16string head = work_ / "my";
  const std::u16string tail = u"books/fable.qbd";

  for (const auto& arguments :
       {std::vector<std::u16string>{u"\"" + head, tail + u"\""}, std::vector<std::u16string>{head, tail},
        std::vector<std::u16string>{u"\"" + definition + u"\""}}) {
    const auto window = Start(arguments);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Fields().title, u"ふしぎな森");
    EXPECT_EQ(window->ILst()->count(), 1);
    EXPECT_EQ(window->SelectedIndex(), -1);
    EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"", Settings()), program_ / "Book");
  }
}

TEST_F(EditorStart, ADefinitionThatIsNoFileIsRefusedAtOnceAndTheFieldsStay) {
  const std::u16string fifo = work_ / "pipe.qbd";
  ASSERT_EQ(::mkfifo(ToUtf8(fifo).c_str(), 0600), 0);
  std::size_t boxes = 0;
  for (const std::u16string& path : {std::u16string(u"/dev/zero"), fifo, work_.text()}) {
    const auto window = Start({path});
    ASSERT_EQ(boxes_.Calls().size(), ++boxes);
    EXPECT_TRUE(boxes_.Calls().back().text.contains(QString::fromStdU16String(path)));
    EXPECT_EQ(boxes_.Calls().back().title, QStringLiteral("Quillberry"));
    EXPECT_EQ(window->ILst()->count(), 0);
    EXPECT_EQ(window->Fields().author, u"");
  }
  // A missing file is no error: it reads as a definition without keys.
  const auto window = Start({work_ / "missing.qbd"});
  EXPECT_EQ(boxes_.Calls().size(), boxes);
  EXPECT_EQ(window->Fields().author, u"＊");
}

TEST_F(EditorStart, NextStartShowsTheAuthorOfTheLastExport) {
  {
    const auto window = Start();
    dialogs_.ChooseFile(QString::fromStdU16String(SavePicture(SolidPicture(4, 4, qRgb(1, 2, 3)), work_ / "p.bmp")));
    window->IBtn_Click(0);
    window->LineField(0)->ShowText(QStringLiteral("作者さん"));
    window->LineField(4)->ShowText(QStringLiteral("http://sakusha/"));
    window->LineField(5)->ShowText(QStringLiteral("s@sakusha"));
    dialogs_.ChooseFile(QString::fromStdU16String(work_ / "book"));
    window->BTN_Click(0);
    ASSERT_TRUE(boxes_.Calls().empty());
  }
  const auto window = Start();
  EXPECT_EQ(window->Fields().author, u"作者さん");
  EXPECT_EQ(window->Fields().url, u"http://sakusha/");
  EXPECT_EQ(window->Fields().mail, u"s@sakusha");
}

}  // namespace
}  // namespace qb::editor
