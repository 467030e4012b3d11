#include "editor/comment_escape.h"

namespace qb::editor {
namespace {

constexpr char16_t kEscape = u'\x7F';

}  // namespace

std::u16string EscapeCommentBreaks(std::u16string_view comment) {
  std::u16string out;
  out.reserve(comment.size());
  for (std::size_t i = 0; i < comment.size(); ++i) {
    const char16_t c = comment[i];
    if (c == u'\r' && i + 1 < comment.size() && comment[i + 1] == u'\n') {
      out += {kEscape, u'n'};
      ++i;
    } else if (c == u'\r') {
      out += {kEscape, u'r'};
    } else if (c == u'\n') {
      out += {kEscape, u'l'};
    } else {
      out += c;
    }
  }
  return out;
}

std::u16string UnescapeCommentBreaks(std::u16string_view value) {
  std::u16string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char16_t next = i + 1 < value.size() ? value[i + 1] : u'\0';
    if (value[i] == kEscape && (next == u'n' || next == u'r' || next == u'l')) {
      out += next == u'n' ? u"\r\n" : next == u'r' ? u"\r" : u"\n";
      ++i;
    } else {
      out += value[i];
    }
  }
  return out;
}

}  // namespace qb::editor
