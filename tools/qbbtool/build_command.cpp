#include <filesystem>
#include <iostream>

#include "common/path_helpers.h"
#include "common/settings.h"
#include "common/utf8.h"
#include "editor/book_export.h"
#include "editor/definition_file.h"
#include "image/picture_surface_qt.h"
#include "tools/qbbtool/command_line.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/text_loss_report.h"

namespace qbbtool {
namespace {

namespace fs = std::filesystem;
using qb::editor::ExportRefusal;
using qb::editor::ExportResult;

constexpr const char* kUsage =
    "Usage: qbbtool build DEF.qbd [OUT.qbb]\n"
    "Binds the book a QuillyEd definition file describes, exactly as QuillyEd's save button\n"
    "does: at least one picture must be listed and the author must not be blank; author,\n"
    "title and password are fitted to 24, 56 and 8 bytes of code page 932, a blank title\n"
    "becomes [無題], and the price is taken whole when it is a whole number, otherwise it is\n"
    "the number its first 4 bytes begin with.\n"
    "Picture paths are used as the definition holds them (relative ones from the current\n"
    "folder).\n"
    "OUT defaults to DEF with its extension replaced by .qbb; .qbb is appended to an OUT\n"
    "whose name does not end in it. An existing book at OUT is replaced only when the new\n"
    "one is complete.\n"
    "Afterwards, as in QuillyEd, the definition file beside the book (OUT without its last\n"
    "four characters, plus .qbd) is written, even when the book failed, and the author's\n"
    "details and the last folder are saved in the settings file Quilly.Ini in qbbtool's\n"
    "own folder (in ~/.config/Quillberry when that folder is not writable).\n"
    "A password longer than 8 bytes is refused, never cut.\n"
    "Exit status: 0 written; 8 nothing to bind (no pictures, a blank author or a password\n"
    "over 8 bytes);\n"
    "7 a picture could not be loaded or is too large; 6 the book or the definition file\n"
    "could not be written; 1 wrong arguments or DEF cannot be read.\n";

// Speaks to the user of the command line: nothing is asked, the book's
// path is the one given, and problems go to stderr in plain words.
class ConsoleExportUi : public qb::editor::ExportUi {
 public:
  ConsoleExportUi(std::string definition, std::u16string bookPath, const std::vector<std::u16string>& images)
      : definition_(std::move(definition)), bookPath_(std::move(bookPath)), images_(images) {}

  void Refuse(ExportRefusal why) override {
    std::cerr << "qbbtool build: " << definition_ << ": ";
    switch (why) {
      case ExportRefusal::NoImages:
        std::cerr << "no pictures to bind (画像数 is 0 or missing); add pictures in QuillyEd, or set 画像数\n"
                     "and the keys 1, 2, ... of its [Image] section\n";
        break;
      case ExportRefusal::NoAuthor: std::cerr << "the author is blank; set 作者 in its [System] section\n"; break;
      case ExportRefusal::TooManyImages: std::cerr << "more pictures than the 32,767 pages a book holds\n"; break;
      case ExportRefusal::LongPassword:
        std::cerr << "the password is longer than the 8 bytes of code page 932 a book holds (8 ASCII or\n"
                     "4 full-width characters); shorten パスワード in its [System] section\n";
        break;
    }
  }

  void ShowFields(const qb::editor::EditorFields&) override {}
  std::u16string AskBookPath(const std::u16string&) override { return bookPath_; }
  void SetBusy(bool) override {}
  bool Progress(int, int) override { return true; }

  void ReportTextLosses(const std::vector<qb::TextLoss>& losses) override {
    std::cerr << TextLossReport("build", losses);
  }

  void ReportFailure(const ExportResult& result, const std::u16string&) override {
    if (result.writeStatus != qb::kWriteOk) {
      std::cerr << "qbbtool build: ";
      const int index = result.writeDetail.pictureIndex;
      if (index >= 0 && static_cast<std::size_t>(index) < images_.size()) {
        std::cerr << "page " << index + 1 << " (" << qb::ToUtf8(images_[static_cast<std::size_t>(index)]) << "): ";
      }
      std::cerr << result.writeDetail.message << "; " << qb::ToUtf8(result.bookPath)
                << " was not written (a book already there is unchanged)\n";
    }
    if (!result.definitionSaved) {
      std::cerr << "qbbtool build: the definition file " << qb::ToUtf8(result.definitionPath)
                << " could not be written; check that its folder exists and is writable\n";
    }
  }

 private:
  std::string definition_;
  std::u16string bookPath_;
  const std::vector<std::u16string>& images_;
};

int ExitStatus(const ExportResult& result) {
  if (result.outcome != ExportResult::Outcome::Finished) return kExitNothingToBind;
  switch (result.writeStatus) {
    case qb::kWriteOk: return result.definitionSaved ? kExitOk : kExitCannotWrite;
    case qb::kWritePictureFailed:
    case qb::kWriteTooLarge: return kExitPictureFailed;
    default: return kExitCannotWrite;
  }
}

}  // namespace

int RunBuild(const Args& args) { return RunBuild(args, qb::ProgramFolder()); }

int RunBuild(const Args& args, const std::u16string& programFolder) {
  const CommandLine line = ParseCommandLine(args, {});
  if (line.help) {
    std::cout << kUsage;
    return kExitOk;
  }
  std::string error = line.error;
  if (error.empty() && (line.positional.empty() || line.positional.size() > 2)) {
    error = "expected DEF.qbd and, optionally, OUT.qbb";
  }
  if (error.empty() && line.positional.size() == 2 && line.positional[1].empty()) error = "OUT.qbb is empty";
  if (!error.empty()) {
    std::cerr << "qbbtool build: " << error << "\n" << kUsage;
    return kExitUsage;
  }
  const std::string& definition = line.positional[0];
  const fs::path definitionPath = qb::ToPath(qb::FromUtf8(definition));
  // Read once, from the opened file: a missing file would read as an empty
  // definition, anything else that is not a readable file is refused.
  std::string refusal;
  const qb::editor::Definition loaded = qb::editor::LoadDefinitionFile(qb::FromPath(definitionPath), &refusal);
  std::error_code status;
  if (!refusal.empty() || !fs::exists(definitionPath, status)) {
    std::cerr << "qbbtool build: " << definition << ": " << (refusal.empty() ? "no readable file" : refusal)
              << "; give the path of a definition file (.qbd) written by QuillyEd\n";
    return kExitUsage;
  }
  // The book path is made absolute, as a dialog's answer is, so that the
  // remembered folder names a real folder.
  fs::path out = line.positional.size() == 2 ? qb::ToPath(qb::FromUtf8(line.positional[1]))
                                             : fs::path(definitionPath).replace_extension(".qbb");
  out = fs::absolute(out, status);
  if (out.empty()) {
    std::cerr << "qbbtool build: the current folder cannot be read; give OUT.qbb as an absolute path\n";
    return kExitUsage;
  }

  qb::EditorSettings settings = qb::LoadEditorSettings(programFolder);
  qb::QtPictureSurface surface;
  ConsoleExportUi ui(definition, qb::FromPath(out), loaded.images);
  const ExportResult result =
      qb::editor::ExportBook(qb::editor::FieldsFromBook(loaded.book), loaded.images, settings, surface, ui);
  return ExitStatus(result);
}

}  // namespace qbbtool
