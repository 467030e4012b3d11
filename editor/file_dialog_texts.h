#pragma once
// The Editor's three file dialogs: titles, filters and flags. Filters are in
// the form the common dialog takes: description, NUL, pattern list, NUL, for
// each entry.

#include <cstdint>
#include <string>
#include <string_view>

namespace qb::editor {

// OFN_FILEMUSTEXIST | OFN_HIDEREADONLY.
inline constexpr std::int32_t kOpenDialogFlags = 0x1004;
// OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES.
inline constexpr std::int32_t kSaveDialogFlags = 0x201006;

inline constexpr std::u16string_view kImageDialogTitle = u"画像選択";
inline constexpr std::u16string_view kDefinitionDialogTitle = u"ｸｲﾙﾍﾞﾘｰ定義ﾌｧｲﾙ選択";
inline constexpr std::u16string_view kBookDialogTitle = u"ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ選択";
// Added by the save dialog to a typed name without an extension, so that the
// overwrite question is asked for the book that will really be written.
inline constexpr std::u16string_view kBookDefaultExtension = u"qbb";

// The page-picture patterns: GIF files only while the GIF option is nonzero.
std::u16string ImagePatterns(std::int16_t gifOption);

// The picture patterns, then every file.
std::u16string ImageFilter(std::int16_t gifOption);
std::u16string DefinitionFilter();
std::u16string BookFilter();

}  // namespace qb::editor
