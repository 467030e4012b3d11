#include "editor/window_export_ui.h"

#include <QApplication>

#include "common/ui/common_dialog.h"
#include "common/ui/message_box.h"
#include "editor/edit_window.h"
#include "editor/export_messages.h"
#include "editor/file_dialog_texts.h"
#include "editor/qt_text.h"

namespace qb::editor {
namespace {

// A book that is done within this time shows no progress window.
constexpr int kProgressDelayMs = 1000;

}  // namespace

WindowExportUi::WindowExportUi(frmEdit& window) : window_(window) {}

void WindowExportUi::Refuse(ExportRefusal why) {
  ShowMessage(&window_, ToQString(RefusalMessage(why)), ToQString(kCheckTitle), MessageButtons::Ok,
              MessageIcon::Information);
}

void WindowExportUi::ShowFields(const EditorFields& fields) { window_.ShowFields(fields); }

std::u16string WindowExportUi::AskBookPath(const std::u16string& initialFolder) {
  clsCommonDialog dialog;
  dialog.setHwndOwner(&window_);
  dialog.setDialogTitle(ToQString(kBookDialogTitle));
  dialog.setInitDir(ToQString(initialFolder));
  dialog.setFilter(ToQString(BookFilter()));
  dialog.setFlags(kSaveDialogFlags);
  dialog.setDefaultExt(ToQString(kBookDefaultExtension));
  dialog.ShowSave();
  return dialog.FileName().toStdU16String();
}

void WindowExportUi::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return;
  }
  progress_.reset();
  QApplication::restoreOverrideCursor();
}

bool WindowExportUi::Progress(int page, int count) {
  if (!progress_) {
    progress_ = std::make_unique<QProgressDialog>(QString(), QStringLiteral("中止"), 0, count, &window_);
    progress_->setWindowTitle(window_.windowTitle());
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(kProgressDelayMs);
    progress_->setAutoReset(false);
    progress_->setAutoClose(false);
  }
  progress_->setLabelText(ToQString(ExportProgressText(page, count)));
  progress_->setValue(page);
  return !progress_->wasCanceled();
}

void WindowExportUi::ReportFailure(const ExportResult&, const std::u16string& message) {
  ShowMessage(&window_, ToQString(message), ToQString(kProgramTitle), MessageButtons::Ok, MessageIcon::Critical);
}

void WindowExportUi::ReportTextLosses(const std::vector<TextLoss>& losses) {
  ShowMessage(&window_, ToQString(TextLossMessage(losses)), ToQString(kProgramTitle), MessageButtons::Ok,
              MessageIcon::Information);
}

}  // namespace qb::editor
