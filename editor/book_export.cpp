#include "editor/book_export.h"

#include "book/book_password.h"
#include "common/byte_width_text.h"
#include "common/free_text_rules.h"
#include "common/path_helpers.h"
#include "common/text_helpers.h"
#include "editor/definition_file.h"
#include "editor/export_messages.h"
#include "editor/export_names.h"
#include "editor/number_text.h"

namespace qb::editor {
namespace {

// The busy pointer for the writer's run, switched off however it ends.
class BusyScope {
 public:
  explicit BusyScope(ExportUi& ui) : ui_(ui) { ui_.SetBusy(true); }
  ~BusyScope() { ui_.SetBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  ExportUi& ui_;
};

std::u16string FreeText(std::u16string_view text) { return Trim(RemoveFieldSeparators(text)); }

}  // namespace

BookRecord RecordFromFields(const EditorFields& fields, std::size_t imageCount) {
  BookRecord book;
  book.Author = FitToBytes(fields.author, kAuthorWidth);
  book.Title = FitToBytes(Trim(fields.title).empty() ? std::u16string(kUntitled) : fields.title, kTitleWidth);
  book.Password = BookPassword(fields.password);
  book.Price = PriceFromField(fields.price);
  book.PageCount = static_cast<std::int16_t>(imageCount);
  book.Comment = FreeText(NormalizeLineBreaks(fields.comment));
  book.Url = FreeText(fields.url);
  book.Mail = FreeText(fields.mail);
  return book;
}

std::int32_t PriceFromField(std::u16string_view text) {
  const std::int32_t whole = ParsePriceText(text);
  if (DecimalText(whole) == text) return whole;
  return ParsePriceText(FitToBytes(text, kPriceTextWidth));
}

ExportResult ExportBook(const EditorFields& fields, const std::vector<std::u16string>& images, EditorSettings& settings,
                        PictureSurface& surface, ExportUi& ui) {
  ExportResult result;
  const auto refuse = [&](ExportRefusal why) {
    ui.Refuse(why);
    return result;
  };
  if (images.empty()) return refuse(ExportRefusal::NoImages);
  if (Trim(fields.author).empty()) return refuse(ExportRefusal::NoAuthor);
  if (images.size() > kMaxImages) return refuse(ExportRefusal::TooManyImages);
  if (!PasswordFitsBook(fields.password)) return refuse(ExportRefusal::LongPassword);

  result.book = RecordFromFields(fields, images.size());
  ui.ShowFields(FieldsFromBook(result.book));

  const std::u16string chosen = ui.AskBookPath(settings.lastFolder);
  if (chosen.empty()) {
    result.outcome = ExportResult::Outcome::Cancelled;
    return result;
  }
  result.outcome = ExportResult::Outcome::Finished;
  result.bookPath = BookFileName(chosen);
  {
    BusyScope busy(ui);
    result.writeStatus = WriteBook(result.bookPath, result.book, images, surface, &result.writeDetail,
                                   [&ui](int page, int count) { return ui.Progress(page, count); });
  }
  result.definitionPath = DefinitionPathForBook(result.bookPath);
  result.definitionSaved = SaveDefinitionFile(result.definitionPath, result.book, images, settings);
  settings.lastFolder = FolderOfPath(result.bookPath);
  // Unwritable settings cost only the remembered values; nothing is shown.
  static_cast<void>(SaveEditorSettings(settings));

  if (const std::u16string message = ExportFailureMessage(result, images); !message.empty()) {
    ui.ReportFailure(result, message);
  }
  if (result.writeStatus == kWriteOk) {
    if (const std::vector<TextLoss> losses = TextLosses(result.book); !losses.empty()) ui.ReportTextLosses(losses);
  }
  return result;
}

}  // namespace qb::editor
