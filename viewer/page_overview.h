#pragma once
// The page overview: every page of the open book as a small picture with
// its number, to jump to. The window opens at once and the pictures fill in
// afterwards, the visible ones first, one per turn of the event loop, so
// the reader can scroll and choose meanwhile. Each picture is drawn
// straight from the book at thumbnail size, so no page is ever held whole,
// and only the most recently drawn kKeptThumbnails pictures are kept: memory
// follows the thumbnails, never the pages or the length of the book. While
// the book is locked only page 1 can be chosen, and no other page is drawn.

#include <QDialog>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "viewer/page_painter.h"

class QListWidget;
class QListWidgetItem;

namespace qb::viewer {

class PageOverview : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kThumbnailSide = 120;
  static constexpr int kKeptThumbnails = 400;

  // positions: the book's page table; currentPage is selected at first.
  PageOverview(std::u16string path, std::vector<std::int32_t> positions, int currentPage, bool unlocked,
               bool smoothShrink, QWidget* parent);

  // Chooses page as a click would: goes there (pageChosen) and closes,
  // unless the page cannot be chosen. False when it cannot.
  bool Choose(int page);
  bool CanChoose(int page) const;

  // Draws the next picture the reader can see; false when there is none
  // left to draw.
  bool DrawNextThumbnail();
  // The pages whose pictures are held now, oldest first.
  const std::deque<int>& DrawnPages() const { return drawn_; }
  QListWidget* List() const { return list_; }

 signals:
  void pageChosen(int page);

 protected:
  // More room shows more pages, which are drawn next.
  void resizeEvent(QResizeEvent* event) override;

 private:
  QListWidgetItem* ItemOf(int page) const;
  bool IsShown(int page) const;
  void DrawThumbnail(int page);
  void ForgetOldest();

  std::u16string path_;
  std::vector<std::int32_t> positions_;
  bool unlocked_;
  PagePainter painter_;
  QListWidget* list_ = nullptr;
  std::deque<int> drawn_;
  std::vector<bool> hasThumbnail_;
  QTimer filler_;
};

}  // namespace qb::viewer
