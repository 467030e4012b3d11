#include "editor/definition_file.h"

#include <algorithm>
#include <cerrno>

#include "common/ini_document.h"
#include "common/ini_file.h"
#include "common/regular_file.h"
#include "common/text_helpers.h"
#include "common/utf8.h"
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

std::string DefinitionFileText(std::string_view content, const BookRecord& book,
                               const std::vector<std::u16string>& images) {
  // One pass over the document in key order gives the same text as writing
  // the keys one by one.
  IniDocument document(content);
  document.Set(kSystem, kAuthor, FitToChars(book.Author, kAuthorWidth));
  document.Set(kSystem, kTitle, FitToChars(book.Title, kTitleWidth));
  document.Set(kSystem, kPassword, FitToChars(book.Password, kPasswordWidth));
  document.Set(kSystem, kPrice, DecimalText(book.Price));
  document.Set(kSystem, kImageCount, DecimalText(book.PageCount));
  for (int i = 1; i <= book.PageCount; ++i) {
    const auto index = static_cast<std::size_t>(i - 1);
    document.Set(kImage, DecimalText(i), index < images.size() ? images[index] : std::u16string());
  }
  document.Set(kSystem, kUrl, book.Url);
  document.Set(kSystem, kMail, book.Mail);
  document.Set(kSystem, kComment, EscapeCommentBreaks(book.Comment));
  return document.Text();
}

bool WriteDefinitionFile(const std::u16string& path, const BookRecord& book,
                         const std::vector<std::u16string>& images) {
  return UpdateIniFile(path, [&](std::string_view content) { return DefinitionFileText(content, book, images); }).ok();
}

bool SaveDefinitionFile(const std::u16string& path, const BookRecord& book, const std::vector<std::u16string>& images,
                        EditorSettings& settings) {
  const bool ok = WriteDefinitionFile(path, book, images);
  settings.name = FitToChars(book.Author, kAuthorWidth);
  settings.url = book.Url;
  settings.mail = book.Mail;
  // Unwritable settings cost only the remembered values; nothing is shown.
  static_cast<void>(SaveEditorSettings(settings));
  return ok;
}

namespace {

Definition DefinitionIn(const IniDocument& document) {
  const auto get = [&document](std::u16string_view section, std::u16string_view key, std::u16string_view fallback) {
    auto value = document.Find(section, key);
    return value ? std::move(*value) : std::u16string(fallback);
  };
  Definition definition;
  BookRecord& book = definition.book;
  book.Author = FitToChars(get(kSystem, kAuthor, u"＊"), kAuthorWidth);
  book.Title = FitToChars(get(kSystem, kTitle, u"[無題]"), kTitleWidth);
  book.Password = FitToChars(get(kSystem, kPassword, u""), kPasswordWidth);
  book.Price = ParsePriceText(get(kSystem, kPrice, u"0"));
  book.PageCount = ParsePageCountText(get(kSystem, kImageCount, u"0"));
  definition.images.reserve(static_cast<std::size_t>(std::max<int>(book.PageCount, 0)));
  for (int i = 1; i <= book.PageCount; ++i) definition.images.push_back(get(kImage, DecimalText(i), u""));
  book.Url = get(kSystem, kUrl, u"");
  book.Mail = get(kSystem, kMail, u"");
  book.Comment = UnescapeCommentBreaks(get(kSystem, kComment, u""));
  return definition;
}

}  // namespace

Definition ParseDefinition(std::string_view content) { return DefinitionIn(IniDocument(content)); }

Definition LoadDefinitionFile(const std::u16string& path, std::string* refusal) {
  // Far above the 32767 image keys a book can use, far below what reading
  // a huge file by mistake would cost.
  constexpr std::uint64_t kMaxDefinitionBytes = std::uint64_t{256} << 20;
  std::string why;
  const auto content = path.empty() ? std::nullopt : ReadRegularFile(ToPath(path), kMaxDefinitionBytes, &why);
  const bool missing = errno == ENOENT;
  const IniDocument document(content ? std::string_view(*content) : std::string_view());
  if (content && !document.HasSection(kSystem) && !document.HasSection(kImage)) {
    why = "it holds no [System] or [Image] section, so it is not a definition file";
  } else if (content || missing || path.empty()) {
    why.clear();
  }
  if (refusal) *refusal = why;
  return why.empty() ? DefinitionIn(document) : ParseDefinition({});
}

}  // namespace qb::editor
