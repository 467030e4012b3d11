// The real Qt file dialog behind the wrapper, driven offscreen from inside
// its own modal loop.

#include "common/ui/qt_dialog_backend.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "common/ui/common_dialog.h"
#include "common/ui/common_dialog_codes.h"
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

TEST(QtFileDialog, SaveOverAnExistingFileAsksFirstStartingOnNo) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString book = folder.filePath(QStringLiteral("old.qbb"));
  Touch(book);

  QString question;
  bool noIsDefault = false;
  const auto saveOverOld = qb::test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
    const auto confirm = qb::test::WhenModal<QMessageBox>([&](QMessageBox* box) {
      question = box->text();
      noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
      box->button(QMessageBox::Yes)->click();
    });
    TypeFileName(dialog, book);
    static_cast<QDialog*>(dialog)->accept();
  });

  qb::QtDialogBackend backend;
  qb::FileDialogRequest request;
  request.kind = qb::FileDialogKind::Save;
  request.initialFolder = folder.path();
  request.flags = kOfnOverwritePrompt | kOfnHideReadOnly;
  const qb::FileDialogResult result = backend.RunFile(request);

  EXPECT_TRUE(result.accepted);
  EXPECT_EQ(result.path, book);
  EXPECT_EQ(question, QStringLiteral("old.qbb は既に存在します。\n上書きしますか?"));
  EXPECT_TRUE(noIsDefault);
}

TEST(QtFileDialog, TypedNameWithoutExtensionIsCheckedWithTheDefaultExtension) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString book = folder.filePath(QStringLiteral("book1.qbb"));
  Touch(book);

  QString question;
  const auto saveAsBook1 = qb::test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
    const auto confirm = qb::test::WhenModal<QMessageBox>([&](QMessageBox* box) {
      question = box->text();
      box->button(QMessageBox::Yes)->click();
    });
    TypeFileName(dialog, QStringLiteral("book1"));
    static_cast<QDialog*>(dialog)->accept();
  });

  qb::QtDialogBackend backend;
  qb::FileDialogRequest request;
  request.kind = qb::FileDialogKind::Save;
  request.initialFolder = folder.path();
  request.flags = kOfnOverwritePrompt | kOfnHideReadOnly;
  request.defaultExtension = QStringLiteral("qbb");
  const qb::FileDialogResult result = backend.RunFile(request);

  EXPECT_TRUE(result.accepted);
  EXPECT_EQ(result.path, book);
  EXPECT_EQ(question, QStringLiteral("book1.qbb は既に存在します。\n上書きしますか?"));
}

TEST(QtFileDialog, RejectedDialogIsAPlainCancel) {
  const auto cancel = qb::test::WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  qb::QtDialogBackend backend;
  const qb::FileDialogResult result = backend.RunFile({});
  EXPECT_FALSE(result.accepted);
  EXPECT_EQ(result.extendedError, 0);
}

}  // namespace
