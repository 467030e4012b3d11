#pragma once
// Book export: checks the fields and the image list, fits the fixed-width
// texts, writes the fitted values back into the fields, asks for the book's
// name, writes the book and then the definition file beside it, and
// remembers the book's folder. One pipeline serves the Editor's save button
// and "qbbtool build"; each supplies the ExportUi that speaks to its user.

#include <cstdint>
#include <string>
#include <vector>

#include "book/book_record.h"
#include "book/book_writer.h"
#include "book/picture_surface.h"
#include "book/text_losses.h"
#include "common/settings.h"
#include "editor/editor_fields.h"

namespace qb::editor {

inline constexpr std::u16string_view kUntitled = u"[無題]";
inline constexpr std::size_t kPriceTextWidth = 4;
inline constexpr std::size_t kMaxImages = 32767;

// Why an export was refused before anything was written.
enum class ExportRefusal {
  NoImages,       // the image list is empty
  NoAuthor,       // the author is blank
  TooManyImages,  // more images than a book holds
  LongPassword,   // the password does not fit the book (PasswordFitsBook)
};

struct ExportResult {
  enum class Outcome { Refused, Cancelled, Finished };
  Outcome outcome = Outcome::Refused;
  BookRecord book;                     // as written (Finished)
  std::u16string bookPath;             // after the ".qbb" rule
  std::u16string definitionPath;       // beside the book
  WriteStatus writeStatus = kWriteOk;  // WriteBook's status (Finished only)
  WriteDetail writeDetail;
  bool definitionSaved = false;
};

class ExportUi {
 public:
  virtual ~ExportUi() = default;
  // Nothing has been written and the fields are unchanged.
  virtual void Refuse(ExportRefusal why) = 0;
  // The fields as the book will hold them, shown before the name is asked.
  virtual void ShowFields(const EditorFields& fields) = 0;
  // The book's name; empty when the user cancelled.
  virtual std::u16string AskBookPath(const std::u16string& initialFolder) = 0;
  virtual void SetBusy(bool busy) = 0;
  // Before page (0-based) of count is loaded; false cancels the book.
  virtual bool Progress(int page, int count) = 0;
  // After a finished export whose book or definition file failed (message
  // from ExportFailureMessage, never empty).
  virtual void ReportFailure(const ExportResult& result, const std::u16string& message) = 0;
  // After a book was written whose texts lost or changed characters code
  // page 932 cannot hold (never empty). The fields and the definition file
  // keep them.
  virtual void ReportTextLosses(const std::vector<TextLoss>& losses) = 0;
};

// The record export fills from the fields, as the book stores them: author,
// title and password fitted to 24, 56 and 8 bytes of code page 932 (a blank
// title becomes "[無題]" first; the password loses its surrounding blanks),
// the price by PriceFromField, the page count, and the comment, home page
// and mail address without surrounding blanks. The comment's line breaks
// become CR LF, however the text box delivered them (a Qt text box gives LF,
// which the definition file's CR LF escape would not cover), and DEL is
// removed from the three free texts: it separates them in the book.
// imageCount is at most kMaxImages.
BookRecord RecordFromFields(const EditorFields& fields, std::size_t imageCount);

// The price the price box's text stands for. The box's four-character limit
// applies to typing only: a text that is already a price as the Editor
// writes it (DecimalText, as export writes it back into the box and a
// definition file loads it) is taken whole, so saving again stores the same
// price. Any other text is fitted to 4 bytes and read by ParsePriceText.
std::int32_t PriceFromField(std::u16string_view text);

// Runs the export with the fields and images as they stand. Settings are
// updated and saved as the definition file is written and the book's folder
// remembered. The definition file and the folder are written whatever the
// book's outcome, so a failed book never costs the author the work. A
// written book whose texts lost characters is reported once, after any
// failure.
ExportResult ExportBook(const EditorFields& fields, const std::vector<std::u16string>& images, EditorSettings& settings,
                        PictureSurface& surface, ExportUi& ui);

}  // namespace qb::editor
