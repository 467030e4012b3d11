#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "support/scripted_message_boxes.h"
#include "viewer/pass_check.h"
#include "viewer/password_window.h"

namespace qb::test {
namespace {

using viewer::frmPass;

class PasswordWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    prompt = std::make_unique<frmPass>(flag);
    prompt->setCheckPass(QStringLiteral("Secret"));
    prompt->show();
  }

  void TypeAndConfirm(const QString& text) {
    prompt->FLD->clear();
    QTest::keyClicks(prompt->FLD, text);
    prompt->BTN_Click(frmPass::kOk);
  }

  std::int16_t flag = viewer::kUnlocked;
  ScriptedMessageBoxes boxes;
  std::unique_ptr<frmPass> prompt;
};

TEST_F(PasswordWindow, Layout) {
  EXPECT_EQ(prompt->windowTitle(), QStringLiteral("パスワード"));
  EXPECT_EQ(prompt->size(), QSize(250, 103));
  EXPECT_EQ(prompt->minimumSize(), prompt->maximumSize());
  EXPECT_EQ(prompt->LBL[0]->text(), QStringLiteral("価格"));
  EXPECT_EQ(prompt->LBL[0]->geometry(), QRect(8, 8, 72, 18));
  EXPECT_EQ(prompt->DSP[0]->geometry(), QRect(88, 8, 72, 18));
  EXPECT_EQ(prompt->LBL[1]->text(), QStringLiteral("パスワード"));
  EXPECT_EQ(prompt->LBL[1]->geometry(), QRect(8, 32, 72, 18));
  EXPECT_EQ(prompt->FLD->geometry(), QRect(88, 32, 155, 16));
  EXPECT_TRUE(prompt->FLD->text().isEmpty());
  EXPECT_EQ(prompt->focusWidget(), prompt->FLD);
  EXPECT_EQ(prompt->BTN[frmPass::kOk]->text(), QStringLiteral("OK"));
  EXPECT_EQ(prompt->BTN[frmPass::kOk]->geometry(), QRect(8, 68, 76, 26));
  EXPECT_TRUE(prompt->BTN[frmPass::kOk]->isDefault());
  EXPECT_EQ(prompt->BTN[frmPass::kCancel]->text(), QStringLiteral("ｷｬﾝｾﾙ"));
  EXPECT_EQ(prompt->BTN[frmPass::kCancel]->geometry(), QRect(168, 68, 76, 26));
  EXPECT_EQ(prompt->FLD->nextInFocusChain(), prompt->BTN[frmPass::kOk]);
  EXPECT_EQ(prompt->BTN[frmPass::kOk]->nextInFocusChain(), prompt->BTN[frmPass::kCancel]);
}

TEST_F(PasswordWindow, EntryIsShownAsAsterisks) {
  QTest::keyClicks(prompt->FLD, QStringLiteral("Se cr"));
  EXPECT_EQ(prompt->FLD->text(), QStringLiteral("Se cr"));
  EXPECT_EQ(prompt->FLD->displayText(), QStringLiteral("*****"));
}

TEST_F(PasswordWindow, LoadingLocks) { EXPECT_EQ(flag, viewer::kLocked); }

TEST_F(PasswordWindow, RightPasswordUnlocksAndCloses) {
  TypeAndConfirm(QStringLiteral("Secret"));
  EXPECT_EQ(flag, viewer::kUnlocked);
  EXPECT_FALSE(prompt->isVisible());
  EXPECT_EQ(prompt->result(), QDialog::Accepted);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(PasswordWindow, WrongPasswordsAreReportedAndTheEntryStays) {
  for (const QString& wrong :
       {QStringLiteral("secret"), QStringLiteral("Secret "), QStringLiteral(" Secret"), QStringLiteral("")}) {
    TypeAndConfirm(wrong);
    EXPECT_EQ(flag, viewer::kLocked) << wrong.toStdString();
    EXPECT_TRUE(prompt->isVisible()) << wrong.toStdString();
    EXPECT_EQ(prompt->FLD->text(), wrong);
  }
  ASSERT_EQ(boxes.Calls().size(), 4u);
  for (const auto& call : boxes.Calls()) {
    EXPECT_EQ(call.text, QStringLiteral("パスワードが違います"));
    EXPECT_EQ(call.title, QStringLiteral("Quillberry"));
    EXPECT_EQ(call.buttons, MessageButtons::Ok);
    EXPECT_EQ(call.icon, MessageIcon::Critical);
    EXPECT_EQ(call.owner, prompt.get());
  }
  // No limit on attempts.
  TypeAndConfirm(QStringLiteral("Secret"));
  EXPECT_EQ(flag, viewer::kUnlocked);
}

TEST_F(PasswordWindow, EnterActsAsOk) {
  QTest::keyClicks(prompt->FLD, QStringLiteral("Secret"));
  QTest::keyClick(prompt->FLD, Qt::Key_Return);
  EXPECT_EQ(flag, viewer::kUnlocked);
  EXPECT_FALSE(prompt->isVisible());
}

TEST_F(PasswordWindow, EscCancelButtonAndCloseBoxKeepTheBookLocked) {
  QTest::keyClicks(prompt->FLD, QStringLiteral("Secret"));
  QTest::keyClick(prompt->FLD, Qt::Key_Escape);
  EXPECT_EQ(flag, viewer::kLocked);
  EXPECT_FALSE(prompt->isVisible());
  EXPECT_EQ(prompt->result(), QDialog::Rejected);

  // A stale "unlocked" must not survive the other ways out either.
  for (const bool byCloseBox : {false, true}) {
    frmPass again(flag);
    again.setCheckPass(QStringLiteral("Secret"));
    again.show();
    flag = viewer::kUnlocked;
    if (byCloseBox) {
      again.close();
    } else {
      QTest::mouseClick(again.BTN[frmPass::kCancel], Qt::LeftButton);
    }
    EXPECT_EQ(flag, viewer::kLocked) << byCloseBox;
    EXPECT_FALSE(again.isVisible());
  }
  EXPECT_TRUE(boxes.Calls().empty());
}

}  // namespace
}  // namespace qb::test
