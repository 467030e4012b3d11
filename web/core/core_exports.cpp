// The functions the page calls, in plain C so that JavaScript reaches them
// by name. One book is open at a time, as in the Viewer's window.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>

#include "common/utf8.h"
#include "viewer/price_label.h"
#include "viewer/window_title.h"
#include "web/core/web_book.h"

namespace {

qb::web::WebBook& Book() {
  static qb::web::WebBook book;
  return book;
}

// Texts handed out stay valid until the next call of qb_text.
std::string& TextBuffer() {
  static std::string text;
  return text;
}

enum TextField : int {
  kAuthor = 0,
  kTitle = 1,
  kUrl = 2,
  kMail = 3,
  kComment = 4,
  kPriceLabel = 5,
  kWindowTitle = 6,
};

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int qb_open(double size) { return Book().Open(static_cast<std::int64_t>(size)); }

EMSCRIPTEN_KEEPALIVE int qb_page_count() { return Book().IsOpen() ? Book().Record().PageCount : 0; }

// The 1-based file position of a page's record, 0 for no such page.
EMSCRIPTEN_KEEPALIVE double qb_page_position(int page) {
  const auto& table = Book().Record().PageTable;
  if (page < 1 || page > static_cast<int>(table.size())) return 0;
  return table[static_cast<std::size_t>(page - 1)];
}

// UTF-8; the fixed-width fields as stored, blanks included.
EMSCRIPTEN_KEEPALIVE const char* qb_text(int field) {
  const qb::BookRecord& book = Book().Record();
  std::u16string text;
  switch (field) {
    case kAuthor: text = book.Author; break;
    case kTitle: text = book.Title; break;
    case kUrl: text = book.Url; break;
    case kMail: text = book.Mail; break;
    case kComment: text = book.Comment; break;
    case kPriceLabel: text = qb::viewer::FormatPriceLabel(book.Price); break;
    case kWindowTitle:
      text = Book().IsOpen() ? qb::viewer::BookWindowTitle(book) : std::u16string(qb::viewer::kProgramTitle);
      break;
    default: break;
  }
  TextBuffer() = qb::ToUtf8(text);
  return TextBuffer().c_str();
}

EMSCRIPTEN_KEEPALIVE int qb_has_password() { return Book().HasPassword() ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE int qb_try_password(const char* typed) { return Book().TryPassword(qb::FromUtf8(typed)) ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE int qb_unlocked() { return Book().IsUnlocked() ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE int qb_showable_page(int page) { return Book().ShowablePage(page); }

EMSCRIPTEN_KEEPALIVE int qb_check_page(int page) { return Book().CheckPage(page); }

EMSCRIPTEN_KEEPALIVE int qb_draw(int page, int width, int height) { return Book().Draw(page, width, height); }

EMSCRIPTEN_KEEPALIVE const std::uint8_t* qb_pixels() { return Book().Rgba(); }

}  // extern "C"
