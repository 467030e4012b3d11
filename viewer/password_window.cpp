#include "viewer/password_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>

#include "common/ui/message_box.h"
#include "viewer/pass_check.h"
#include "viewer/window_title.h"

namespace qb::viewer {
namespace {

// Styles differ in how they hide a password; the prompt always shows "*".
class AsteriskEchoStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return u'*';
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

QLabel* Label(QWidget* parent, const QString& text, const QRect& geometry) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(geometry);
  return label;
}

}  // namespace

frmPass::frmPass(std::int16_t& passCheckFlag, QWidget* owner) : QDialog(owner), passCheckFlag_(passCheckFlag) {
  passCheckFlag_ = kLocked;
  setWindowTitle(QStringLiteral("パスワード"));
  setFixedSize(250, 103);

  LBL[0] = Label(this, QStringLiteral("価格"), QRect(8, 8, 72, 18));
  DSP[0] = Label(this, QString(), QRect(88, 8, 72, 18));
  LBL[1] = Label(this, QStringLiteral("パスワード"), QRect(8, 32, 72, 18));

  FLD = new QLineEdit(this);
  FLD->setGeometry(88, 32, 155, 16);
  auto* echo = new AsteriskEchoStyle;
  echo->setParent(FLD);
  FLD->setStyle(echo);
  FLD->setEchoMode(QLineEdit::Password);
  FLD->setAccessibleName(LBL[1]->text());

  BTN[kOk] = new QPushButton(QStringLiteral("OK"), this);
  BTN[kOk]->setGeometry(8, 68, 76, 26);
  BTN[kOk]->setDefault(true);
  BTN[kCancel] = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  BTN[kCancel]->setGeometry(168, 68, 76, 26);
  for (int i = 0; i < static_cast<int>(BTN.size()); ++i) {
    BTN[i]->setAccessibleName(BTN[i]->text());
    connect(BTN[i], &QPushButton::clicked, this, [this, i] { BTN_Click(i); });
  }

  setTabOrder(FLD, BTN[kOk]);
  setTabOrder(BTN[kOk], BTN[kCancel]);
  FLD->setFocus();
}

void frmPass::BTN_Click(int index) {
  if (index == kCancel) {
    reject();
    return;
  }
  if (index != kOk) return;
  if (FLD->text() != checkPass_) {
    passCheckFlag_ = kLocked;
    ShowMessage(this, QStringLiteral("パスワードが違います"), QString::fromUtf16(kProgramTitle), MessageButtons::Ok,
                MessageIcon::Critical);
    return;
  }
  passCheckFlag_ = kUnlocked;
  accept();
}

void frmPass::reject() {
  passCheckFlag_ = kLocked;
  QDialog::reject();
}

}  // namespace qb::viewer
