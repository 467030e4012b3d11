#include "editor/version_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/clickable_label.h"
#include "common/ui/japanese_font.h"
#include "common/ui/shell_open.h"
#include "common/version_text.h"
#include "editor/editor_icon.h"
#include "editor/qt_text.h"

namespace qb::editor {
namespace {

ClickableLabel* LinkLabel(const QString& text, QWidget* parent) {
  auto* label = new ClickableLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setCursor(Qt::PointingHandCursor);
  label->setAccessibleDescription(QStringLiteral("クリックで開きます"));
  QFont font = label->font();
  font.setUnderline(true);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
  label->setPalette(palette);
  return label;
}

}  // namespace

VersionWindow::VersionWindow(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("Quillberry -Edit-"));
  setWindowIcon(EditorIcon());
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  auto* icon = new QLabel(this);
  icon->setPixmap(QPixmap::fromImage(DrawEditorIcon(48)));
  icon->setAlignment(Qt::AlignTop);

  auto* title = new QLabel(QStringLiteral("Quillberry"), this);
  QFont titleFont = JapaneseFont(20);
  titleFont.setBold(true);
  title->setFont(titleFont);

  version_ = new QLabel(QStringLiteral("Ver") + QString::fromStdU16String(VersionNumberText()), this);
  auto* credit = new QLabel(QStringLiteral("Quillberry Project\n絵本をつくる人のための編集ソフト"), this);

  auto* homeCaption = new QLabel(QStringLiteral("HomePage"), this);
  auto* mailCaption = new QLabel(QStringLiteral("Mail"), this);
  homePage_ = LinkLabel(ToQString(kHomePage), this);
  mail_ = LinkLabel(ToQString(kMailAddress), this);
  connect(homePage_, &ClickableLabel::clicked, this, [] { ShellOpen(ToQString(kHomePage)); });
  connect(mail_, &ClickableLabel::clicked, this,
          [] { ShellOpen(QStringLiteral("Mailto:") + ToQString(kMailAddress)); });

  close_ = new QPushButton(QStringLiteral("閉じる"), this);
  close_->setDefault(true);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(title);
  texts->addWidget(version_);
  texts->addSpacing(6);
  texts->addWidget(credit);
  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addSpacing(12);
  top->addLayout(texts, 1);

  auto* links = new QGridLayout;
  links->setHorizontalSpacing(12);
  links->addWidget(homeCaption, 0, 0);
  links->addWidget(homePage_, 0, 1);
  links->addWidget(mailCaption, 1, 0);
  links->addWidget(mail_, 1, 1);
  links->setColumnStretch(1, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->addLayout(top);
  layout->addSpacing(10);
  layout->addLayout(links);
  layout->addSpacing(10);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace qb::editor
