#pragma once
// Helpers for the Viewer's tests: books written with the real writer from
// pictures made in memory, the modal windows answered by script, and a
// fixture holding the reading window with every seam in place.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QString>
#include <QToolButton>
#include <QWheelEvent>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "book/book_test_support.h"
#include "book/book_writer.h"
#include "common/ui/picture_box.h"
#include "common/utf8.h"
#include "image/pixel_transfer.h"
#include "support/file_type_recording_store.h"
#include "support/scripted_dialog_backend.h"
#include "support/scripted_message_boxes.h"
#include "viewer/password_window.h"
#include "viewer/view_window.h"
#include "viewer/viewer_modals.h"

namespace qb::test {

// Serves pictures made in memory to the book writer, by path.
class ImageSurface : public PictureSurface {
 public:
  std::map<std::u16string, QImage> pictures;

  Outcome LoadPicture(const std::u16string& path) override {
    const auto it = pictures.find(path);
    if (it == pictures.end()) return Outcome::Failure("no picture");
    current_ = it->second;
    return Outcome::Success();
  }
  int Width() const override { return current_.width(); }
  int Height() const override { return current_.height(); }
  std::int32_t PictureToPixels(PixelArray& pixels) const override { return qb::PictureToPixels(current_, pixels); }

 private:
  QImage current_;
};

inline QImage Solid(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// A colour of its own for each page number.
inline QRgb PageColour(int page) { return qRgb(30 * page % 256, 255 - 20 * page % 256, 90 + 15 * page % 160); }

struct TestBookContents {
  std::u16string author = u"Ann Berry";
  std::u16string title = u"Plain Tales";
  std::u16string password;
  std::int32_t price = 0;
  std::u16string url = u"https://books.example/ann";
  std::u16string mail = u"ann@books.example";
  std::u16string comment = u"First line\r\nSecond line";
  std::vector<QImage> pages;
};

// Pages of 320 x 240 pixels, page n (1-based) filled with PageColour(n).
inline std::vector<QImage> ColouredPages(int count, int width = 320, int height = 240) {
  std::vector<QImage> pages;
  for (int n = 1; n <= count; ++n) pages.push_back(Solid(width, height, PageColour(n)));
  return pages;
}

// Writes the book and returns its record as written.
inline BookRecord WriteTestBook(const std::filesystem::path& path, const TestBookContents& contents) {
  ImageSurface surface;
  std::vector<std::u16string> pictures;
  for (std::size_t i = 0; i < contents.pages.size(); ++i) {
    const std::u16string name = u"page" + FromUtf8(std::to_string(i));
    surface.pictures[name] = contents.pages[i];
    pictures.push_back(name);
  }
  BookRecord book;
  book.Author = contents.author;
  book.Title = contents.title;
  book.Password = contents.password;
  book.Price = contents.price;
  book.Url = contents.url;
  book.Mail = contents.mail;
  book.Comment = contents.comment;
  book.PageCount = static_cast<std::int16_t>(contents.pages.size());
  if (WriteBook(U16(path), book, pictures, surface) != kWriteOk) throw std::runtime_error("test book not written");
  return book;
}

// The password prompt run for real, without its modal loop: each queued
// attempt is typed into a fresh prompt and confirmed with OK; a prompt still
// open after its attempts is cancelled. The information window is only
// recorded.
class ScriptedViewerModals : public viewer::ViewerModals {
 public:
  struct Attempt {
    QString typed;
    bool openAfter;     // the prompt was still open after OK
    QString textAfter;  // the entry after OK
  };
  struct Prompt {
    QString checkPass;
    QString priceLabel;
    QWidget* owner;
    std::vector<Attempt> attempts;
  };

  // Attempts for the next prompt, tried in order.
  void Type(std::vector<QString> attempts) { attempts_.push_back(std::move(attempts)); }

  void RunPasswordPrompt(QWidget* owner, const QString& checkPass, const QString& priceLabel,
                         std::int16_t& passCheckFlag) override {
    Prompt record{checkPass, priceLabel, owner, {}};
    std::vector<QString> attempts;
    if (!attempts_.empty()) {
      attempts = attempts_.front();
      attempts_.pop_front();
    }
    viewer::frmPass prompt(passCheckFlag, owner);
    prompt.setCheckPass(checkPass);
    prompt.show();
    for (const QString& typed : attempts) {
      if (!prompt.isVisible()) break;
      prompt.FLD->setText(typed);
      prompt.BTN_Click(viewer::frmPass::kOk);
      record.attempts.push_back({typed, prompt.isVisible(), prompt.FLD->text()});
    }
    if (prompt.isVisible()) prompt.BTN_Click(viewer::frmPass::kCancel);
    prompts.push_back(record);
  }

  void RunInfoWindow(QWidget* owner, const BookRecord& book) override {
    infoOwners.push_back(owner);
    infoBooks.push_back(book);
  }

  std::vector<Prompt> prompts;
  std::vector<QWidget*> infoOwners;
  std::vector<BookRecord> infoBooks;

 private:
  std::deque<std::vector<QString>> attempts_;
};

// The reading window over a temporary folder, which holds its settings file
// and is its remembered folder; message boxes, dialogs, the password prompt
// and the file-type registry answer by script.
class ViewerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateView(dir.path()); }

  // The window, remembering `lastFolder`; the settings are taken as it is made.
  void CreateView(const std::filesystem::path& lastFolder) {
    settings.settingsPath = U16(dir / "Quilly.Ini");
    settings.lastFolder = U16(lastFolder);
    view = std::make_unique<viewer::frmView>(settings, viewer::ViewerEnvironment{U16(dir.path()), fileTypes, modals});
  }

  std::filesystem::path Book(const std::string& name, const TestBookContents& contents) {
    const std::filesystem::path path = dir / name;
    WriteTestBook(path, contents);
    return path;
  }
  std::filesystem::path PlainBook(const std::string& name = "plain.qbb", int pages = 7) {
    TestBookContents contents;
    contents.pages = ColouredPages(pages);
    return Book(name, contents);
  }
  // Chosen in the open dialog behind OPEN.
  void Open(const std::filesystem::path& path) {
    dialogs.ChooseFile(QString::fromStdU16String(U16(path)));
    view->BTN_Click(viewer::frmView::kOpen);
  }

  void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
  }
  // A key pressed and let go, as a button needs it.
  void Tap(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Press(target, key, modifiers);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
  }
  void DoubleClick(QWidget* target, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF at(50, 50);
    QMouseEvent click(QEvent::MouseButtonDblClick, at, target->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &click);
  }
  void Wheel(QWidget* target, int angleDelta) {
    const QPointF at(100, 100);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, angleDelta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
  }

  QRgb Centre() const { return view->VIEW()->Canvas().pixel(319, 239); }
  bool NavigationEnabled() const {
    return view->BTN(viewer::frmView::kPrev)->isEnabled() && view->BTN(viewer::frmView::kNext)->isEnabled() &&
           view->PageScroll()->isEnabled();
  }
  bool NavigationDisabled() const {
    return !view->BTN(viewer::frmView::kPrev)->isEnabled() && !view->BTN(viewer::frmView::kNext)->isEnabled() &&
           !view->PageScroll()->isEnabled();
  }

  TempDir dir;
  ViewerSettings settings;
  RecordingFileTypeStore fileTypes;
  ScriptedViewerModals modals;
  ScriptedMessageBoxes boxes;
  ScriptedDialogBackend dialogs;
  std::unique_ptr<viewer::frmView> view;
};

}  // namespace qb::test
