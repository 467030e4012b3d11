#pragma once
// A book as the web reader shows it: the header read from the host, the
// Viewer's password gate, and pages drawn by the full-screen rule (classic
// shrink, whole-factor enlarge, black ground) into an RGBA view. The view
// is the only page-sized memory: the record streams through the stretch a
// band of rows at a time.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "book/book_reader.h"
#include "book/book_record.h"
#include "image/classic_stretch.h"
#include "image/page_record_source.h"
#include "web/core/js_byte_source.h"

namespace qb::web {

class WebBook {
 public:
  // Reads the header, texts and page table of a book of size bytes; each
  // page's record is checked in full only when it is drawn, so opening costs
  // the same few reads for any page count. A rejected file leaves no book
  // open, as in the Viewer: no password, empty fields, no page.
  [[nodiscard]] BookStatus Open(std::int64_t size);

  const BookRecord& Record() const { return book_; }
  bool IsOpen() const { return open_; }

  // The gate: a book with a password opens locked; only the password as
  // stored, without its padding, typed exactly, unlocks it.
  bool HasPassword() const;
  bool TryPassword(std::u16string_view typed);
  bool IsUnlocked() const;
  // The page (1-based) the reader may show for the one asked for.
  int ShowablePage(int page) const;

  // Checks the record of a page without drawing it.
  [[nodiscard]] BookStatus CheckPage(int page);

  // Draws the showable page for page into a width x height view. On
  // kBookSound Rgba() holds the whole view, bytes R, G, B, 255 top row
  // first; otherwise its content is undefined and must not be shown.
  [[nodiscard]] BookStatus Draw(int page, int width, int height);
  const std::uint8_t* Rgba() const { return reinterpret_cast<const std::uint8_t*>(view_.data()); }

 private:
  BookStatus OpenPage(int page);

  BookRecord book_;
  JsByteSource source_{0};
  bool open_ = false;
  std::int16_t passCheckFlag_ = 0;
  PageRecordSource record_;
  ClassicStretch stretch_;
  std::vector<std::uint32_t> view_;
};

}  // namespace qb::web
