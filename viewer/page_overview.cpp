#include "viewer/page_overview.h"

#include <QListWidget>
#include <QPixmap>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "image/screen_fit.h"

namespace qb::viewer {

PageOverview::PageOverview(std::u16string path, std::vector<std::int32_t> positions, int currentPage, bool unlocked,
                           bool smoothShrink, QWidget* parent)
    : QDialog(parent),
      path_(std::move(path)),
      positions_(std::move(positions)),
      unlocked_(unlocked),
      hasThumbnail_(positions_.size(), false) {
  setObjectName(QStringLiteral("PageOverview"));
  setWindowTitle(QStringLiteral("ページ一覧"));
  setAttribute(Qt::WA_DeleteOnClose);
  painter_.SetSmoothShrink(smoothShrink);

  list_ = new QListWidget(this);
  list_->setViewMode(QListView::IconMode);
  list_->setMovement(QListView::Static);
  list_->setResizeMode(QListView::Adjust);
  list_->setUniformItemSizes(true);
  list_->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
  list_->setGridSize(QSize(kThumbnailSide + 24, kThumbnailSide + 32));
  list_->setSpacing(4);
  list_->setAccessibleName(windowTitle());
  for (int page = 1; page <= static_cast<int>(positions_.size()); ++page) {
    auto* item = new QListWidgetItem(QString::number(page), list_);
    item->setData(Qt::UserRole, page);
    item->setSizeHint(list_->gridSize());
    if (!CanChoose(page)) item->setFlags(Qt::NoItemFlags);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  resize(6 * (kThumbnailSide + 24) + 40, 3 * (kThumbnailSide + 32) + 20);

  if (QListWidgetItem* current = ItemOf(std::clamp(currentPage, 1, std::max<int>(1, positions_.size())))) {
    list_->setCurrentItem(current);
    list_->scrollToItem(current, QAbstractItemView::PositionAtCenter);
  }
  connect(list_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { Choose(item->data(Qt::UserRole).toInt()); });
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { Choose(item->data(Qt::UserRole).toInt()); });

  // Whatever comes into view is drawn next.
  filler_.setInterval(0);
  connect(&filler_, &QTimer::timeout, this, [this] {
    if (!DrawNextThumbnail()) filler_.stop();
  });
  connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, &filler_, qOverload<>(&QTimer::start));
  filler_.start();
}

void PageOverview::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  filler_.start();
}

bool PageOverview::CanChoose(int page) const {
  return page >= 1 && page <= static_cast<int>(positions_.size()) && (unlocked_ || page == 1);
}

bool PageOverview::Choose(int page) {
  if (!CanChoose(page)) return false;
  emit pageChosen(page);
  close();
  return true;
}

QListWidgetItem* PageOverview::ItemOf(int page) const {
  if (page < 1 || page > list_->count()) return nullptr;
  return list_->item(page - 1);
}

bool PageOverview::IsShown(int page) const {
  const QRect inView = list_->visualItemRect(ItemOf(page));
  return inView.intersects(list_->viewport()->rect());
}

bool PageOverview::DrawNextThumbnail() {
  // The pages in view first; with none of them left, nothing: pictures of
  // pages nobody has scrolled to are not drawn ahead.
  const QListWidgetItem* top = list_->itemAt(list_->viewport()->rect().topLeft() + QPoint(4, 4));
  const int from = top ? top->data(Qt::UserRole).toInt() : 1;
  for (int page = from; page <= list_->count(); ++page) {
    if (!IsShown(page)) {
      if (page > from) break;
      continue;
    }
    if (hasThumbnail_[static_cast<std::size_t>(page - 1)] || !CanChoose(page)) continue;
    DrawThumbnail(page);
    return true;
  }
  return false;
}

void PageOverview::DrawThumbnail(int page) {
  QImage thumbnail(kThumbnailSide, kThumbnailSide, QImage::Format_RGB32);
  const QColor ground = list_->palette().color(QPalette::Base);
  thumbnail.fill(ground);
  hasThumbnail_[static_cast<std::size_t>(page - 1)] = true;
  // A page that cannot be read keeps its number without a picture.
  if (painter_.Draw(path_, positions_[static_cast<std::size_t>(page - 1)], thumbnail, ground, PlaceOnScreen) !=
      kBookSound) {
    return;
  }
  ItemOf(page)->setIcon(QIcon(QPixmap::fromImage(thumbnail)));
  drawn_.push_back(page);
  if (static_cast<int>(drawn_.size()) > kKeptThumbnails) ForgetOldest();
}

void PageOverview::ForgetOldest() {
  // The oldest picture out of view goes; scrolling back draws it again.
  const auto oldest = std::find_if(drawn_.begin(), drawn_.end(), [this](int page) { return !IsShown(page); });
  if (oldest == drawn_.end()) return;
  ItemOf(*oldest)->setIcon(QIcon());
  hasThumbnail_[static_cast<std::size_t>(*oldest - 1)] = false;
  drawn_.erase(oldest);
}

}  // namespace qb::viewer
