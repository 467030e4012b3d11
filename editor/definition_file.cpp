#include "editor/definition_file.h"

#include "common/ini_access.h"
#include "common/text_helpers.h"
#include "editor/comment_escape.h"
#include "editor/number_text.h"

namespace qb::editor {
namespace {

constexpr char16_t kSystem[] = u"System";
constexpr char16_t kImage[] = u"Image";
constexpr char16_t kAuthor[] = u"作者";
constexpr char16_t kTitle[] = u"タイトル";
constexpr char16_t kPassword[] = u"パスワード";
constexpr char16_t kPrice[] = u"価格";
constexpr char16_t kImageCount[] = u"画像数";
constexpr char16_t kUrl[] = u"ＵＲＬ";
constexpr char16_t kMail[] = u"ＭＡＩＬ";
constexpr char16_t kComment[] = u"コメント";

}  // namespace

bool WriteDefinitionFile(const std::u16string& path, const BookRecord& book,
                         const std::vector<std::u16string>& images) {
  // One update of the file in key order gives the same text as writing the
  // keys one by one, without a flushed rewrite per page.
  std::vector<IniEntry> entries = {
      {kSystem, kAuthor, FitToChars(book.Author, kAuthorWidth)},
      {kSystem, kTitle, FitToChars(book.Title, kTitleWidth)},
      {kSystem, kPassword, FitToChars(book.Password, kPasswordWidth)},
      {kSystem, kPrice, DecimalText(book.Price)},
      {kSystem, kImageCount, DecimalText(book.PageCount)},
  };
  for (int i = 1; i <= book.PageCount; ++i) {
    const auto index = static_cast<std::size_t>(i - 1);
    entries.push_back({kImage, DecimalText(i), index < images.size() ? images[index] : std::u16string()});
  }
  entries.push_back({kSystem, kUrl, book.Url});
  entries.push_back({kSystem, kMail, book.Mail});
  entries.push_back({kSystem, kComment, EscapeCommentBreaks(book.Comment)});
  return PutIniStrings(entries, path) != 0;
}

bool SaveDefinitionFile(const std::u16string& path, const BookRecord& book, const std::vector<std::u16string>& images,
                        EditorSettings& settings) {
  const bool ok = WriteDefinitionFile(path, book, images);
  settings.name = FitToChars(book.Author, kAuthorWidth);
  settings.url = book.Url;
  settings.mail = book.Mail;
  SaveEditorSettings(settings);
  return ok;
}

Definition LoadDefinitionFile(const std::u16string& path) {
  Definition definition;
  BookRecord& book = definition.book;
  book.Author = FitToChars(GetIniString(kSystem, kAuthor, u"＊", path), kAuthorWidth);
  book.Title = FitToChars(GetIniString(kSystem, kTitle, u"[無題]", path), kTitleWidth);
  book.Password = FitToChars(GetIniString(kSystem, kPassword, u"", path), kPasswordWidth);
  book.Price = ParsePriceText(GetIniString(kSystem, kPrice, u"0", path));
  book.PageCount = ParsePageCountText(GetIniString(kSystem, kImageCount, u"0", path));
  definition.images.reserve(static_cast<std::size_t>(book.PageCount));
  for (int i = 1; i <= book.PageCount; ++i)
    definition.images.push_back(GetIniString(kImage, DecimalText(i), u"", path));
  book.Url = GetIniString(kSystem, kUrl, u"", path);
  book.Mail = GetIniString(kSystem, kMail, u"", path);
  book.Comment = UnescapeCommentBreaks(GetIniString(kSystem, kComment, u"", path));
  return definition;
}

}  // namespace qb::editor
