#pragma once
// Export as the main window presents it: message boxes for the checks and
// failures, the common save dialog for the book's name, the hourglass and,
// for a book that takes a while, a progress window that can stop it.

#include <QProgressDialog>
#include <memory>

#include "editor/book_export.h"

namespace qb::editor {

class frmEdit;

class WindowExportUi : public ExportUi {
 public:
  explicit WindowExportUi(frmEdit& window);

  void Refuse(ExportRefusal why) override;
  void ShowFields(const EditorFields& fields) override;
  std::u16string AskBookPath(const std::u16string& initialFolder) override;
  void SetBusy(bool busy) override;
  bool Progress(int page, int count) override;
  void ReportFailure(const ExportResult& result, const std::u16string& message) override;
  void ReportTextLosses(const std::vector<TextLoss>& losses) override;

 private:
  frmEdit& window_;
  std::unique_ptr<QProgressDialog> progress_;
};

}  // namespace qb::editor
