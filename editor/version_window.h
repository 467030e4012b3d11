#pragma once
// The Editor's version window: the program's icon, title, version and
// credits, and its home page and mail address, which open in the desktop's
// browser and mail program when clicked. Shown modally from the main
// window's version button.

#include <QDialog>
#include <string_view>

class QLabel;
class QPushButton;

namespace qb {
class ClickableLabel;
}

namespace qb::editor {

inline constexpr std::u16string_view kHomePage = u"https://quillberry.example/";
inline constexpr std::u16string_view kMailAddress = u"info@quillberry.example";

class VersionWindow : public QDialog {
  Q_OBJECT

 public:
  explicit VersionWindow(QWidget* owner = nullptr);

  QLabel* VersionLabel() const { return version_; }
  ClickableLabel* HomePageLabel() const { return homePage_; }
  ClickableLabel* MailLabel() const { return mail_; }
  QPushButton* CloseButton() const { return close_; }

 private:
  QLabel* version_;
  ClickableLabel* homePage_;
  ClickableLabel* mail_;
  QPushButton* close_;
};

}  // namespace qb::editor
