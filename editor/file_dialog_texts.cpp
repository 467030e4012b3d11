#include "editor/file_dialog_texts.h"

namespace qb::editor {
namespace {

std::u16string Filter(std::u16string_view description, std::u16string_view patterns) {
  std::u16string filter(description);
  filter += u'\0';
  filter += patterns;
  filter += u'\0';
  return filter;
}

}  // namespace

std::u16string ImagePatterns(std::int16_t gifOption) {
  return gifOption != 0 ? u"*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.png;*.wmf;*.webp;*.tif;*.tiff;*.avif"
                        : u"*.bmp;*.ico;*.jpg;*.jpeg;*.png;*.wmf;*.webp;*.tif;*.tiff;*.avif";
}

// A picture whose name ends otherwise (".jfif", none at all) is still
// loaded by its content, so every file can be chosen too.
std::u16string ImageFilter(std::int16_t gifOption) {
  return Filter(u"画像ファイル", ImagePatterns(gifOption)) + Filter(u"すべてのファイル", u"*.*");
}

std::u16string DefinitionFilter() { return Filter(u"ｸｲﾙﾍﾞﾘｰ定義ﾌｧｲﾙ", u"*.qbd"); }

std::u16string BookFilter() { return Filter(u"ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ", u"*.qbb"); }

}  // namespace qb::editor
