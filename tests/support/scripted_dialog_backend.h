#pragma once
// Common dialogs for tests: installed for the object's lifetime, records
// every request (title, folder, filters, flags, owner, ...) and answers from
// queues. A dialog without a queued answer is cancelled, as a user closing it
// would. Help calls answer 1 unless told otherwise.

#include <deque>
#include <vector>

#include "common/ui/dialog_backend.h"

namespace qb {

class ScriptedDialogBackend : public DialogBackend {
 public:
  ScriptedDialogBackend() : scope_(*this) {}

  void ChooseFile(const QString& path) { files_.push_back(FileDialogResult::Chosen(path)); }
  void CancelFile() { files_.push_back(FileDialogResult::Cancelled()); }
  void FailFile(std::int32_t extendedError) { files_.push_back(FileDialogResult::Failed(extendedError)); }

  void ChooseColor(std::uint32_t color) {
    ColorDialogResult result;
    result.accepted = true;
    result.color = color;
    colors_.push_back(result);
  }
  void AnswerColor(const ColorDialogResult& result) { colors_.push_back(result); }
  // result.accepted says whether the font was chosen.
  void AnswerFont(const FontDialogResult& result) { fonts_.push_back(result); }
  void AnswerPrinter(const PrinterDialogResult& result) { printers_.push_back(result); }
  void AnswerHelp(std::int32_t result) { helpResults_.push_back(result); }

  const std::vector<FileDialogRequest>& FileRequests() const { return fileRequests_; }
  const std::vector<ColorDialogRequest>& ColorRequests() const { return colorRequests_; }
  const std::vector<FontDialogRequest>& FontRequests() const { return fontRequests_; }
  const std::vector<PrinterDialogRequest>& PrinterRequests() const { return printerRequests_; }
  const std::vector<HelpRequest>& HelpRequests() const { return helpRequests_; }

  FileDialogResult RunFile(const FileDialogRequest& request) override { return Next(fileRequests_, request, files_); }
  ColorDialogResult RunColor(const ColorDialogRequest& request) override {
    return Next(colorRequests_, request, colors_);
  }
  FontDialogResult RunFont(const FontDialogRequest& request) override { return Next(fontRequests_, request, fonts_); }
  PrinterDialogResult RunPrinter(const PrinterDialogRequest& request) override {
    return Next(printerRequests_, request, printers_);
  }
  std::int32_t OpenHelp(const HelpRequest& request) override {
    helpRequests_.push_back(request);
    if (helpResults_.empty()) return 1;
    const std::int32_t result = helpResults_.front();
    helpResults_.pop_front();
    return result;
  }

 private:
  template <typename Request, typename Result>
  static Result Next(std::vector<Request>& requests, const Request& request, std::deque<Result>& answers) {
    requests.push_back(request);
    if (answers.empty()) return Result{};
    Result answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<FileDialogResult> files_;
  std::deque<ColorDialogResult> colors_;
  std::deque<FontDialogResult> fonts_;
  std::deque<PrinterDialogResult> printers_;
  std::deque<std::int32_t> helpResults_;
  std::vector<FileDialogRequest> fileRequests_;
  std::vector<ColorDialogRequest> colorRequests_;
  std::vector<FontDialogRequest> fontRequests_;
  std::vector<PrinterDialogRequest> printerRequests_;
  std::vector<HelpRequest> helpRequests_;
  ScopedDialogBackend scope_;
};

}  // namespace qb
