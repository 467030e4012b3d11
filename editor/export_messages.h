#pragma once
// What the Editor tells the author about an export, in Japanese.

#include <string>
#include <string_view>
#include <vector>

#include "editor/book_export.h"

namespace qb::editor {

// Title of the check messages and of the error messages.
inline constexpr std::u16string_view kCheckTitle = u"確認";
inline constexpr std::u16string_view kProgramTitle = u"Quillberry";

std::u16string RefusalMessage(ExportRefusal why);

// The progress window's line while page (0-based) of count is written:
// "ページ 3 / 10" for the third of ten.
std::u16string ExportProgressText(int page, int count);

// What went wrong in a finished export: why the book was not written
// (naming the page and picture that failed), whether the definition file
// was saved, and where. Empty when there is nothing to report: the book and
// the definition file were written, or the author cancelled the book and
// the definition file was written.
std::u16string ExportFailureMessage(const ExportResult& result, const std::vector<std::u16string>& images);

// Which fields of a written book lost or changed which characters, one line
// per field under its label ("タイトル： ü 😀"), and that the fields and the
// definition file keep them.
std::u16string TextLossMessage(const std::vector<TextLoss>& losses);

}  // namespace qb::editor
