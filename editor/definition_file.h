#pragma once
// The definition file (".qbd"): a book's source material kept so that the
// book can be edited again: the descriptive fields and the page pictures'
// paths in page order, as INI keys in code page 932, written and read key
// by key. Export writes one beside every book; the load button and the
// command line read it.

#include <string>
#include <string_view>
#include <vector>

#include "book/book_record.h"
#include "common/settings.h"

namespace qb::editor {

struct Definition {
  BookRecord book;                     // Author, Title, Password, Price, PageCount, Url, Mail, Comment
  std::vector<std::u16string> images;  // PageCount entries, index 0 = page 1
};

// The content of a definition file after writing the keys below over content
// (the file as it was, empty for a new one). The file is parsed once and
// its keys found through an index, so a book of 32767 pages takes no longer
// than reading and writing its text.
std::string DefinitionFileText(std::string_view content, const BookRecord& book,
                               const std::vector<std::u16string>& images);

// Writes System 作者, タイトル, パスワード (blank-padded to 24, 56 and 8
// characters), 価格, 画像数, Image "1" .. "N", System ＵＲＬ, ＭＡＩＬ and
// コメント (line breaks escaped, see comment_escape.h), in that order. Other
// keys stay, so Image keys above N left from a longer list remain unread.
// True when every key was written.
[[nodiscard]] bool WriteDefinitionFile(const std::u16string& path, const BookRecord& book,
                                       const std::vector<std::u16string>& images);

// WriteDefinitionFile, then, as the Editor does, remembers the book's author
// (padded), URL and mail address as the author's defaults in settings and
// saves the settings. True when every key of the definition was written;
// the settings' own outcome is not part of it.
[[nodiscard]] bool SaveDefinitionFile(const std::u16string& path, const BookRecord& book,
                                      const std::vector<std::u16string>& images, EditorSettings& settings);

// The definition a file's content holds; see LoadDefinitionFile.
Definition ParseDefinition(std::string_view content);

// Reads a definition file; a missing file reads like one without any key.
// Something that is there but cannot be read as a file (a folder, a device,
// a pipe, a file without read permission or over 256 MiB), or a file that
// holds neither a "System" nor an "Image" section (a picture chosen by
// mistake, an empty file), reads
// alike, with refusal (when given) set to why, so that a window can say so
// instead of replacing its work with defaults; it is left empty otherwise.
// Missing keys give "＊" for the author, "[無題]" for the title, "0" for
// the price and the page count, and empty texts otherwise. Values are read
// whole, however long. The price and the page count never fail to read:
// see ParsePriceText and ParsePageCountText (a count of 0 or less, or one
// that is not a number, gives no images).
Definition LoadDefinitionFile(const std::u16string& path, std::string* refusal = nullptr);

}  // namespace qb::editor
