#include "viewer/info_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "common/ui/clickable_label.h"
#include "common/ui/shell_open.h"
#include "viewer/info_links.h"

namespace qb::viewer {
namespace {

template <typename Label>
Label* PlainLabel(QWidget* parent, const QString& text, const QRect& geometry) {
  auto* label = new Label(parent);
  // Field texts come from book files: never read them as markup.
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setText(text);
  label->setGeometry(geometry);
  return label;
}

}  // namespace

frmInfo::frmInfo(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("コメント"));
  setFixedSize(408, 372);

  const QString captions[] = {QStringLiteral("作者"), QStringLiteral("タイトル"), QStringLiteral("ホームページ"),
                              QStringLiteral("メール"), QStringLiteral("コメント")};
  for (int i = 0; i < 5; ++i) LBL[i] = PlainLabel<QLabel>(this, captions[i], QRect(8, 8 + 24 * i, 73, 17));

  DSP[0] = PlainLabel<ClickableLabel>(this, QString(), QRect(88, 8, 217, 17));
  DSP[1] = PlainLabel<ClickableLabel>(this, QString(), QRect(88, 32, 313, 17));
  DSP[2] = PlainLabel<ClickableLabel>(this, QString(), QRect(88, 56, 313, 17));
  DSP[3] = PlainLabel<ClickableLabel>(this, QString(), QRect(88, 80, 313, 17));
  CommentBox = new QPlainTextEdit(this);
  CommentBox->setGeometry(8, 128, 393, 209);
  CommentBox->setReadOnly(true);
  CommentBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  CommentBox->setAccessibleName(LBL[4]->text());
  for (QScrollBar* bar : {CommentBox->verticalScrollBar(), CommentBox->horizontalScrollBar()}) {
    bar->setAccessibleName(LBL[4]->text());
  }
  // The two addresses open when clicked: the hand pointer says so to the
  // eye, the description to a screen reader, which reads the address itself
  // as the label's name.
  for (const int link : {kHomePageLabel, kMailLabel}) {
    DSP[link]->setCursor(Qt::PointingHandCursor);
    DSP[link]->setAccessibleDescription(QStringLiteral("クリックで開きます"));
  }
  for (int i = 0; i < static_cast<int>(DSP.size()); ++i) {
    connect(DSP[i], &ClickableLabel::clicked, this, [this, i] { DSP_Click(i); });
  }

  CloseButton = new QPushButton(QStringLiteral("閉じる"), this);
  CloseButton->setGeometry(336, 344, 65, 25);
  CloseButton->setDefault(true);
  CloseButton->setAccessibleName(CloseButton->text());
  connect(CloseButton, &QPushButton::clicked, this, [this] { BTN_Click(kCloseButton); });
}

void frmInfo::SetFields(const BookRecord& book) {
  const std::u16string* fields[] = {&book.Author, &book.Title, &book.Url, &book.Mail};
  for (int i = 0; i < 4; ++i) DSP[i]->setText(QString::fromStdU16String(*fields[i]));
  CommentBox->setPlainText(QString::fromStdU16String(book.Comment));
}

void frmInfo::DSP_Click(int index) {
  if (index < 0 || index >= static_cast<int>(DSP.size())) return;
  if (const auto target = InfoLinkTarget(index, DSP[index]->text().toStdU16String())) {
    ShellOpen(QString::fromStdU16String(*target));
  }
}

void frmInfo::BTN_Click(int index) {
  if (index == kCloseButton) accept();
}

}  // namespace qb::viewer
