// The real Qt file dialog behind the wrapper, driven offscreen from inside
// its own modal loop.

#include "common/ui/qt_dialog_backend.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest/QTest>
#include <map>
#include <utility>

#include "common/ui/common_dialog.h"
#include "common/ui/common_dialog_codes.h"
#include "common/ui/japanese_file_columns.h"
#include "modal_answer.h"

namespace {

using namespace qb::dialog_codes;

// Types path into the file name box, as a user would. selectFile() leaves
// the box alone while it has the keyboard focus, which depends on how the
// window system activated the dialog.
void TypeFileName(QFileDialog* dialog, const QString& path) {
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(edit, nullptr);
  edit->setText(path);
}

void Touch(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(QtFileDialog, AcceptedOpenDialogGivesTheChosenFile) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString book = folder.filePath(QStringLiteral("冒険.qbb"));
  Touch(book);

  QString title;
  QStringList filters;
  QString shownFolder;
  QFileDialog::FileMode mode = QFileDialog::AnyFile;
  const auto chooseBook = qb::test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
    title = dialog->windowTitle();
    filters = dialog->nameFilters();
    shownFolder = dialog->directory().absolutePath();
    mode = dialog->fileMode();
    TypeFileName(dialog, book);
    static_cast<QDialog*>(dialog)->accept();
  });

  qb::clsCommonDialog dialog;
  dialog.setInitDir(folder.path());
  dialog.setDialogTitle(QStringLiteral("クイルベリーブック"));
  dialog.setFilter(QStringLiteral("ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ") + QChar(u'\0') + "*.qbb" + QChar(u'\0'));
  dialog.setFlags(static_cast<std::int32_t>(kOfnFileMustExist | kOfnHideReadOnly));
  dialog.ShowOpen();

  EXPECT_EQ(dialog.FileName(), book);
  EXPECT_EQ(dialog.FileTitle(), QStringLiteral("冒険.qbb"));
  EXPECT_EQ(dialog.APIReturn(), 1);
  EXPECT_EQ(title, QStringLiteral("クイルベリーブック"));
  EXPECT_EQ(filters, QStringList{QStringLiteral("ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ (*.qbb)")});
  EXPECT_EQ(shownFolder, QDir(folder.path()).absolutePath());
  EXPECT_EQ(mode, QFileDialog::ExistingFile);
}

// What a save over an existing file showed and gave, the overwrite question
// answered with Yes.
struct OverwriteRun {
  QString question;
  bool noIsDefault = false;
  qb::FileDialogResult result;
};

OverwriteRun SaveTypingOverExisting(const QString& folder, const QString& typed, const QString& defaultExtension = {}) {
  OverwriteRun run;
  const auto save = qb::test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
    const auto confirm = qb::test::WhenModal<QMessageBox>([&](QMessageBox* box) {
      run.question = box->text();
      run.noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
      box->button(QMessageBox::Yes)->click();
    });
    TypeFileName(dialog, typed);
    static_cast<QDialog*>(dialog)->accept();
  });

  qb::QtDialogBackend backend;
  qb::FileDialogRequest request;
  request.kind = qb::FileDialogKind::Save;
  request.initialFolder = folder;
  request.flags = kOfnOverwritePrompt | kOfnHideReadOnly;
  request.defaultExtension = defaultExtension;
  run.result = backend.RunFile(request);
  return run;
}

TEST(QtFileDialog, SaveOverAnExistingFileAsksFirstStartingOnNo) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString book = folder.filePath(QStringLiteral("old.qbb"));
  Touch(book);

  const OverwriteRun run = SaveTypingOverExisting(folder.path(), book);

  EXPECT_TRUE(run.result.accepted);
  EXPECT_EQ(run.result.path, book);
  EXPECT_EQ(run.question, QStringLiteral("old.qbb は既に存在します。\n上書きしますか?"));
  EXPECT_TRUE(run.noIsDefault);
}

TEST(QtFileDialog, TypedNameWithoutExtensionIsCheckedWithTheDefaultExtension) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString book = folder.filePath(QStringLiteral("book1.qbb"));
  Touch(book);

  const OverwriteRun run = SaveTypingOverExisting(folder.path(), QStringLiteral("book1"), QStringLiteral("qbb"));

  EXPECT_TRUE(run.result.accepted);
  EXPECT_EQ(run.result.path, book);
  EXPECT_EQ(run.question, QStringLiteral("book1.qbb は既に存在します。\n上書きしますか?"));
}

TEST(QtFileDialog, LabelsShowMnemonicsAndColumnsAreJapanese) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("章")));
  Touch(folder.filePath(QStringLiteral("冒険.qbb")));

  std::map<QString, QWidget*> buddies;
  QStringList headers;
  std::map<QString, QStringList> rows;  // name: size, type, date
  const auto look = qb::test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
    for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
      auto* label = dialog->findChild<QLabel*>(QLatin1String(name));
      buddies[QLatin1String(name)] = label ? label->buddy() : nullptr;
    }
    auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    if (view != nullptr) {
      QAbstractItemModel* model = view->model();
      for (int column = 0; column < 4; ++column) headers << model->headerData(column, Qt::Horizontal).toString();
      // The file model reads the folder in the background.
      EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(view->rootIndex()) == 2; }, 5000));
      for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
        const auto cell = [&](int column) { return model->index(row, column, view->rootIndex()).data().toString(); };
        rows[cell(0)] = QStringList{cell(1), cell(2), cell(3)};
      }
    }
    dialog->reject();
  });

  qb::QtDialogBackend backend;
  qb::FileDialogRequest request;
  request.initialFolder = folder.path();
  backend.RunFile(request);

  EXPECT_NE(buddies[QStringLiteral("lookInLabel")], nullptr) << "ファイルの場所(&I) shows its ampersand";
  EXPECT_NE(buddies[QStringLiteral("fileNameLabel")], nullptr);
  EXPECT_NE(buddies[QStringLiteral("fileTypeLabel")], nullptr) << "ファイルの種類(&T) shows its ampersand";
  EXPECT_EQ(headers, (QStringList{"名前", "サイズ", "種類", "更新日時"}));
  ASSERT_EQ(rows.size(), 2u);
  const QRegularExpression date(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d$"));
  EXPECT_EQ(rows[QStringLiteral("章")].value(1), QStringLiteral("フォルダー"));
  EXPECT_EQ(rows[QStringLiteral("冒険.qbb")].value(0), QStringLiteral("0 バイト"));
  EXPECT_EQ(rows[QStringLiteral("冒険.qbb")].value(1), QStringLiteral("QBB ファイル"));
  EXPECT_TRUE(date.match(rows[QStringLiteral("冒険.qbb")].value(2)).hasMatch())
      << rows[QStringLiteral("冒険.qbb")].value(2).toStdString();
}

TEST(JapaneseFileColumns, TypesSizesAndDates) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  EXPECT_EQ(qb::JapaneseFileType(QFileInfo(folder.path())), QStringLiteral("フォルダー"));
  EXPECT_EQ(qb::JapaneseFileType(QFileInfo(QStringLiteral("/x/book.qbb"))), QStringLiteral("QBB ファイル"));
  EXPECT_EQ(qb::JapaneseFileType(QFileInfo(QStringLiteral("/x/README"))), QStringLiteral("ファイル"));
  const std::pair<qint64, const char*> sizes[] = {
      {0, "0 バイト"}, {1023, "1,023 バイト"}, {1024, "1 KB"}, {1025, "2 KB"}, {1264000, "1,235 KB"},
  };
  for (const auto& [bytes, shown] : sizes) {
    SCOPED_TRACE(testing::Message() << bytes << " bytes");
    EXPECT_EQ(qb::JapaneseFileSize(bytes), QString::fromUtf8(shown));
  }
  const QDateTime local(QDate(2026, 12, 9), QTime(14, 5, 59));
  EXPECT_EQ(qb::JapaneseFileDate(local), QStringLiteral("2026/12/09 14:05"));
}

TEST(QtFileDialog, RejectedDialogIsAPlainCancel) {
  const auto cancel = qb::test::WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  qb::QtDialogBackend backend;
  const qb::FileDialogResult result = backend.RunFile({});
  EXPECT_FALSE(result.accepted);
  EXPECT_EQ(result.extendedError, 0);
}

}  // namespace
