// Message boxes: the test seam and the real boxes' buttons, default and Esc.

#include "common/ui/message_box.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "modal_answer.h"
#include "support/scripted_message_boxes.h"

namespace {

using qb::MessageButtons;
using qb::MessageIcon;
using qb::MessageResult;

TEST(MessageBoxSeam, ScriptedBoxesRecordAndAnswerInOrder) {
  qb::ScriptedMessageBoxes boxes;
  boxes.Answer(MessageResult::Yes);
  QWidget owner;
  EXPECT_EQ(
      qb::ShowMessage(&owner, "a.bmp を\r\n　削除しますか？", "削除確認", MessageButtons::YesNo, MessageIcon::Question),
      MessageResult::Yes);
  EXPECT_EQ(qb::ShowMessage(nullptr, "画像を選択してください。", "確認", MessageButtons::Ok, MessageIcon::Information),
            MessageResult::Ok);
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[0].text, QStringLiteral("a.bmp を\r\n　削除しますか？"));
  EXPECT_EQ(boxes.Calls()[0].title, QStringLiteral("削除確認"));
  EXPECT_EQ(boxes.Calls()[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(boxes.Calls()[0].icon, MessageIcon::Question);
  EXPECT_EQ(boxes.Calls()[0].owner, &owner);
  EXPECT_EQ(boxes.Calls()[1].icon, MessageIcon::Information);
}

TEST(MessageBoxSeam, UnscriptedBoxesGetTheEscAnswer) {
  qb::ScriptedMessageBoxes boxes;
  EXPECT_EQ(qb::ShowMessage(nullptr, "?", "t", MessageButtons::YesNo, MessageIcon::Question), MessageResult::No);
  EXPECT_EQ(qb::ShowMessage(nullptr, "!", "t"), MessageResult::Ok);
  EXPECT_EQ(qb::ShowMessage(nullptr, "?", "t", MessageButtons::YesNoCancel), MessageResult::Cancel);
}

TEST(MessageBoxSeam, InnerBackendIsRemovedWithItsScope) {
  qb::ScriptedMessageBoxes outer;
  {
    qb::ScriptedMessageBoxes inner;
    qb::ShowMessage(nullptr, "inner", "t");
    EXPECT_EQ(inner.Calls().size(), 1u);
  }
  qb::ShowMessage(nullptr, "outer", "t");
  ASSERT_EQ(outer.Calls().size(), 1u);
  EXPECT_EQ(outer.Calls()[0].text, QStringLiteral("outer"));
}

TEST(RealMessageBox, YesNoStartsOnYesAndEscAnswersNo) {
  QString yesText;
  QString noText;
  const auto pressEnter = qb::test::WhenModal<QMessageBox>([&](QMessageBox* box) {
    yesText = box->button(QMessageBox::Yes)->text();
    noText = box->button(QMessageBox::No)->text();
    QTest::keyClick(box, Qt::Key_Return);
  });
  EXPECT_EQ(qb::ShowMessage(nullptr, "続けますか？", "確認", MessageButtons::YesNo, MessageIcon::Question),
            MessageResult::Yes);
  EXPECT_EQ(yesText, QStringLiteral("はい(&Y)"));
  EXPECT_EQ(noText, QStringLiteral("いいえ(&N)"));

  const auto pressEsc =
      qb::test::WhenModal<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
  EXPECT_EQ(qb::ShowMessage(nullptr, "続けますか？", "確認", MessageButtons::YesNo, MessageIcon::Question),
            MessageResult::No);
}

// Esc must never answer No here: No drops the author's work.
TEST(RealMessageBox, YesNoCancelStartsOnYesAndEscAnswersCancel) {
  const std::pair<Qt::Key, MessageResult> keys[] = {
      {Qt::Key_Return, MessageResult::Yes}, {Qt::Key_N, MessageResult::No}, {Qt::Key_Escape, MessageResult::Cancel}};
  for (const auto& [key, answer] : keys) {
    QString cancelText;
    const auto press = qb::test::WhenModal<QMessageBox>([&, key = key](QMessageBox* box) {
      cancelText = box->button(QMessageBox::Cancel)->text();
      QTest::keyClick(box, key);
    });
    EXPECT_EQ(qb::ShowMessage(nullptr, "変更を保存しますか？", "保存確認", MessageButtons::YesNoCancel,
                              MessageIcon::Question),
              answer)
        << key;
    EXPECT_EQ(cancelText, QStringLiteral("キャンセル"));
  }
}

TEST(RealMessageBox, TextIsShownPlainWithOneLineBreakPerCrLf) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
  Qt::TextFormat format = Qt::AutoText;
  const auto closeBox = qb::test::WhenModal<QMessageBox>([&](QMessageBox* box) {
    icon = box->icon();
    title = box->windowTitle();
    text = box->text();
    format = box->textFormat();
    QTest::keyClick(box, Qt::Key_Escape);
  });
  EXPECT_EQ(
      qb::ShowMessage(nullptr, "<b>a</b>.bmp を\r\n　削除", "Quillberry", MessageButtons::Ok, MessageIcon::Critical),
      MessageResult::Ok);
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(title, QStringLiteral("Quillberry"));
  EXPECT_EQ(text, QStringLiteral("<b>a</b>.bmp を\n　削除"));
  EXPECT_EQ(format, Qt::PlainText);
}

}  // namespace
