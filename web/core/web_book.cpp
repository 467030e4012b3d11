#include "web/core/web_book.h"

#include <algorithm>

#include "common/text_helpers.h"
#include "image/screen_fit.h"
#include "viewer/page_navigation.h"
#include "viewer/pass_check.h"
#include "web/core/rgba_pixels.h"

namespace qb::web {

namespace {

// The largest view the reader draws: a full screen of a high-density
// display several times over, far below what a browser lets a canvas be.
constexpr int kMaxViewSide = 16384;
constexpr std::int64_t kMaxViewPixels = std::int64_t{1} << 26;

}  // namespace

BookStatus WebBook::Open(std::int64_t size) {
  open_ = false;
  passCheckFlag_ = viewer::kLocked;
  book_ = BookRecord{};
  source_ = JsByteSource(size);
  BookRecord read;
  const BookStatus status = ReadBookTable(source_, read);
  if (status != kBookSound) return status;
  book_ = std::move(read);
  open_ = true;
  if (!HasPassword()) passCheckFlag_ = viewer::kUnlocked;
  return kBookSound;
}

bool WebBook::HasPassword() const { return !Trim(book_.Password).empty(); }

bool WebBook::TryPassword(std::u16string_view typed) {
  // Case and blanks count: the typed text is compared as it stands.
  passCheckFlag_ = open_ && typed == Trim(book_.Password) ? viewer::kUnlocked : viewer::kLocked;
  return IsUnlocked();
}

bool WebBook::IsUnlocked() const { return viewer::IsUnlocked(passCheckFlag_); }

int WebBook::ShowablePage(int page) const {
  return viewer::ShowablePage(std::clamp(page, 1, std::max<int>(1, book_.PageCount)), passCheckFlag_);
}

BookStatus WebBook::OpenPage(int page) {
  const int shown = ShowablePage(page);
  if (!open_ || shown > static_cast<int>(book_.PageTable.size())) return kBookDamaged;
  return record_.Open(source_, book_.PageTable[static_cast<std::size_t>(shown - 1)]);
}

BookStatus WebBook::CheckPage(int page) { return OpenPage(page); }

BookStatus WebBook::Draw(int page, int width, int height) {
  if (width < 1 || height < 1 || width > kMaxViewSide || height > kMaxViewSide ||
      std::int64_t{width} * height > kMaxViewPixels)
    return kBookDamaged;
  if (const BookStatus status = OpenPage(page); status != kBookSound) return status;
  view_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFF000000u);
  const DrawRect place = FitPageToScreen(record_.Width(), record_.Height(), width, height);
  const StretchTarget target{view_.data(), width, height, width};
  if (record_.Width() > 0 && record_.Height() > 0 && !stretch_.Draw(record_, place, target)) return kBookDamaged;
  ToRgba(view_.data(), view_.size());
  return kBookSound;
}

}  // namespace qb::web
