#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest/QTest>

#include "common/ui/clickable_label.h"
#include "support/recording_shell_open.h"
#include "viewer/info_window.h"

namespace qb::test {
namespace {

using viewer::frmInfo;

BookRecord SampleBook() {
  BookRecord book;
  book.Author = u"Ann Berry               ";
  book.Title = u"<b>Plain</b> Tales" + std::u16string(38, u' ');
  book.Url = u"https://books.example/ann";
  book.Mail = u"ann@books.example";
  book.Comment = u"First line\r\nSecond line";
  return book;
}

TEST(InfoWindow, Layout) {
  frmInfo info;
  EXPECT_EQ(info.windowTitle(), QStringLiteral("コメント"));
  EXPECT_EQ(info.size(), QSize(408, 372));
  EXPECT_EQ(info.minimumSize(), info.maximumSize());
  const QString captions[] = {QStringLiteral("作者"), QStringLiteral("タイトル"), QStringLiteral("ホームページ"),
                              QStringLiteral("メール"), QStringLiteral("コメント")};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(info.LBL[i]->text(), captions[i]);
    EXPECT_EQ(info.LBL[i]->geometry(), QRect(8, 8 + 24 * i, 73, 17));
  }
  EXPECT_EQ(info.DSP[0]->geometry(), QRect(88, 8, 217, 17));
  EXPECT_EQ(info.DSP[1]->geometry(), QRect(88, 32, 313, 17));
  EXPECT_EQ(info.DSP[2]->geometry(), QRect(88, 56, 313, 17));
  EXPECT_EQ(info.DSP[3]->geometry(), QRect(88, 80, 313, 17));
  EXPECT_EQ(info.CommentBox->geometry(), QRect(8, 128, 393, 209));
  EXPECT_EQ(info.CommentBox->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(info.DSP[2]->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(info.DSP[3]->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(info.CloseButton->text(), QStringLiteral("閉じる"));
  EXPECT_EQ(info.CloseButton->geometry(), QRect(336, 344, 65, 25));
}

TEST(InfoWindow, FieldsAsStoredAndNeverAsMarkup) {
  frmInfo info;
  info.SetFields(SampleBook());
  EXPECT_EQ(info.DSP[0]->text(), QStringLiteral("Ann Berry               "));
  EXPECT_EQ(info.DSP[1]->text().size(), 56);
  EXPECT_EQ(info.DSP[2]->text(), QStringLiteral("https://books.example/ann"));
  EXPECT_EQ(info.DSP[3]->text(), QStringLiteral("ann@books.example"));
  EXPECT_EQ(info.CommentBox->toPlainText(), QStringLiteral("First line\nSecond line"));
  for (const auto* label : info.DSP) EXPECT_EQ(label->textFormat(), Qt::PlainText);

  info.SetFields(BookRecord{});
  EXPECT_EQ(info.DSP[2]->text(), QString());
  EXPECT_EQ(info.CommentBox->toPlainText(), QString());
}

TEST(InfoWindow, AddressLabelsOpenWithTheShell) {
  RecordingShellOpen shell;
  frmInfo info;
  info.SetFields(SampleBook());
  info.show();
  for (QWidget* field :
       {static_cast<QWidget*>(info.DSP[0]), static_cast<QWidget*>(info.DSP[1]), static_cast<QWidget*>(info.DSP[2]),
        static_cast<QWidget*>(info.DSP[3]), info.CommentBox->viewport()}) {
    QTest::mouseClick(field, Qt::LeftButton);
  }
  EXPECT_EQ(shell.Targets(), (std::vector<QString>{QStringLiteral("https://books.example/ann"),
                                                   QStringLiteral("MailTo:ann@books.example")}));
  EXPECT_EQ(shell.Urls().back(), QUrl(QStringLiteral("mailto:ann@books.example")));
}

TEST(InfoWindow, EmptyAddresses) {
  RecordingShellOpen shell;
  frmInfo info;
  info.SetFields(BookRecord{});
  info.DSP_Click(2);
  EXPECT_TRUE(shell.Targets().empty()) << "an empty home page opens nothing";
  info.DSP_Click(3);
  EXPECT_EQ(shell.Targets(), std::vector<QString>{QStringLiteral("MailTo:")}) << "a new mail without recipient";
}

// A comment far longer than the box is read by scrolling, and cannot be changed.
TEST(InfoWindow, LongCommentScrollsAndStaysReadOnly) {
  BookRecord book = SampleBook();
  for (int line = 3; line <= 1000; ++line) book.Comment += u"\r\nLine " + QString::number(line).toStdU16String();
  frmInfo info;
  info.SetFields(book);
  info.show();
  const QString comment = info.CommentBox->toPlainText();
  QScrollBar* bar = info.CommentBox->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 900);
  EXPECT_TRUE(bar->isVisible());

  info.CommentBox->setFocus();
  QTest::keyClick(info.CommentBox, Qt::Key_PageDown);
  EXPECT_GT(bar->value(), 0);
  QTest::keyClick(info.CommentBox, Qt::Key_End);
  EXPECT_EQ(bar->value(), bar->maximum());
  QTest::keyClick(info.CommentBox, Qt::Key_Home);
  EXPECT_EQ(bar->value(), 0);
  const QPointF at(50, 50);
  QWheelEvent wheel(at, info.CommentBox->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(info.CommentBox->viewport(), &wheel);
  EXPECT_GT(bar->value(), 0);

  QApplication::clipboard()->setText(QStringLiteral("pasted"));
  QTest::keyClicks(info.CommentBox, QStringLiteral("typed"));
  for (const auto key : {Qt::Key_Delete, Qt::Key_Backspace}) QTest::keyClick(info.CommentBox, key);
  QTest::keyClick(info.CommentBox, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(info.CommentBox->toPlainText(), comment);
}

TEST(InfoWindow, CloseButtonCloses) {
  frmInfo info;
  info.show();
  QTest::mouseClick(info.CloseButton, Qt::LeftButton);
  EXPECT_FALSE(info.isVisible());
  EXPECT_EQ(info.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace qb::test
