#pragma once
// How a comment's line breaks are kept in the one-line コメント value of a
// definition file. Every definition file writes CR LF as DEL "n". A comment
// may also hold a lone CR or LF; written unescaped, the value would end
// there and the rest of the comment would be lost. They are written as
// DEL "r" and DEL "l", which no older file holds (older files lost such
// breaks instead of escaping them), so every line survives and older
// files read exactly as before.

#include <string>
#include <string_view>

namespace qb::editor {

std::u16string EscapeCommentBreaks(std::u16string_view comment);

// Each DEL "n", DEL "r" and DEL "l" turned back into its break, left to
// right; any other DEL stays as it is.
std::u16string UnescapeCommentBreaks(std::u16string_view value);

}  // namespace qb::editor
