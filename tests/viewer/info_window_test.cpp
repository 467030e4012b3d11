#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
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
  EXPECT_EQ(info.DSP[4]->geometry(), QRect(8, 128, 393, 209));
  EXPECT_TRUE(info.DSP[4]->wordWrap());
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
  EXPECT_EQ(info.DSP[4]->text(), QStringLiteral("First line\r\nSecond line"));
  for (const auto* label : info.DSP) EXPECT_EQ(label->textFormat(), Qt::PlainText);

  info.SetFields(BookRecord{});
  EXPECT_EQ(info.DSP[2]->text(), QString());
  EXPECT_EQ(info.DSP[4]->text(), QString());
}

TEST(InfoWindow, AddressLabelsOpenWithTheShell) {
  RecordingShellOpen shell;
  frmInfo info;
  info.SetFields(SampleBook());
  info.show();
  for (int i = 0; i < 5; ++i) QTest::mouseClick(info.DSP[i], Qt::LeftButton);
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

TEST(InfoWindow, CloseButtonCloses) {
  frmInfo info;
  info.show();
  QTest::mouseClick(info.CloseButton, Qt::LeftButton);
  EXPECT_FALSE(info.isVisible());
  EXPECT_EQ(info.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace qb::test
