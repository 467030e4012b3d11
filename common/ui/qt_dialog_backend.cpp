#include "common/ui/qt_dialog_backend.h"

#include <QColor>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTreeView>
#include <QUrl>
#include <algorithm>

#include "common/ui/common_dialog_codes.h"
#include "common/ui/japanese_file_columns.h"

namespace qb {
namespace {

using namespace dialog_codes;

// Asks before a save replaces an existing file, in Japanese and starting on
// No, as the Japanese system dialog does.
class FileDialog : public QFileDialog {
 public:
  FileDialog(QWidget* owner, bool confirmOverwrite) : QFileDialog(owner), confirmOverwrite_(confirmOverwrite) {
    // The prompt below takes the place of Qt's own.
    setOption(QFileDialog::DontConfirmOverwrite, true);
  }

  void accept() override {
    if (confirmOverwrite_ && !ConfirmOverwrite()) return;
    QFileDialog::accept();
  }

 private:
  bool ConfirmOverwrite() {
    const QFileInfo file(selectedFiles().value(0));
    if (!file.exists() || file.isDir()) return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("名前を付けて保存の確認"),
                    file.fileName() + QStringLiteral(" は既に存在します。\n上書きしますか?"), QMessageBox::NoButton,
                    this);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    QPushButton* no = box.addButton(QMessageBox::No);
    yes->setText(QStringLiteral("はい(&Y)"));
    no->setText(QStringLiteral("いいえ(&N)"));
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
  }

  bool confirmOverwrite_;
};

// A label shows its "(&I)" as a mnemonic only with a buddy to move the
// focus to; Qt's dialog gives one to the file name label alone.
void SetBuddy(QFileDialog& dialog, const QString& label, const QString& control) {
  auto* text = dialog.findChild<QLabel*>(label);
  auto* target = dialog.findChild<QWidget*>(control);
  if (text && target) text->setBuddy(target);
}

// The detail columns wide enough for their Japanese texts; the name takes
// the rest of the view.
void SizeDetailColumns(QFileDialog& dialog) {
  auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (view == nullptr) return;
  const QFontMetrics metrics(view->font());
  const int padding = 3 * metrics.averageCharWidth();
  QHeaderView* header = view->header();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(0, QHeaderView::Stretch);
  header->resizeSection(1, metrics.horizontalAdvance(JapaneseFileSize(99'999 * 1024)) + padding);
  header->resizeSection(2, metrics.horizontalAdvance(QStringLiteral("QBB ファイル")) + padding);
  header->resizeSection(
      3, metrics.horizontalAdvance(JapaneseFileDate(QDateTime(QDate(2026, 12, 31), QTime(23, 59)))) + padding);
}

QColor FromColorRef(std::uint32_t color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

std::uint32_t ToColorRef(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) | (static_cast<std::uint32_t>(color.green()) << 8) |
         (static_cast<std::uint32_t>(color.blue()) << 16);
}

}  // namespace

FileDialogResult QtDialogBackend::RunFile(const FileDialogRequest& request) {
  const bool save = request.kind == FileDialogKind::Save;
  FileDialog dialog(request.owner, save && (request.flags & kOfnOverwritePrompt) != 0);
  // Qt's own dialog: Japanese captions and the prompt above on every desktop.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setProxyModel(new JapaneseFileColumns(&dialog));
  SizeDetailColumns(dialog);
  dialog.setWindowTitle(
      !request.title.isEmpty() ? request.title : (save ? QStringLiteral("名前を付けて保存") : QStringLiteral("開く")));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // A save dialog takes new names whatever its flags say.
  dialog.setFileMode(!save && (request.flags & kOfnFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                                       : QFileDialog::AnyFile);
  dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("ファイルの場所(&I):"));
  dialog.setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名(&N):"));
  dialog.setLabelText(QFileDialog::FileType, QStringLiteral("ファイルの種類(&T):"));
  dialog.setLabelText(QFileDialog::Accept, save ? QStringLiteral("保存(&S)") : QStringLiteral("開く(&O)"));
  dialog.setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
  SetBuddy(dialog, QStringLiteral("lookInLabel"), QStringLiteral("lookInCombo"));
  SetBuddy(dialog, QStringLiteral("fileNameLabel"), QStringLiteral("fileNameEdit"));
  SetBuddy(dialog, QStringLiteral("fileTypeLabel"), QStringLiteral("fileTypeCombo"));
  if (!request.nameFilters.isEmpty()) {
    dialog.setNameFilters(request.nameFilters);
    dialog.selectNameFilter(request.selectedNameFilter);
  }
  // A folder that no longer exists leaves the dialog in its own default.
  if (!request.initialFolder.isEmpty() && QFileInfo(request.initialFolder).isDir())
    dialog.setDirectory(request.initialFolder);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  dialog.setDefaultSuffix(request.defaultExtension);

  if (dialog.exec() != QDialog::Accepted) return FileDialogResult::Cancelled();
  const QString path = dialog.selectedFiles().value(0);
  return path.isEmpty() ? FileDialogResult::Cancelled() : FileDialogResult::Chosen(path);
}

ColorDialogResult QtDialogBackend::RunColor(const ColorDialogRequest& request) {
  const int customCount = std::min(QColorDialog::customCount(), static_cast<int>(request.customColors.size()));
  for (int i = 0; i < customCount; ++i) QColorDialog::setCustomColor(i, FromColorRef(request.customColors[i]));
  QColorDialog dialog(FromColorRef((request.flags & kCcRgbInit) != 0 ? request.color : 0), request.owner);
  dialog.setWindowTitle(QStringLiteral("色の設定"));
  ColorDialogResult result;
  if (dialog.exec() != QDialog::Accepted) return result;
  result.accepted = true;
  result.color = ToColorRef(dialog.selectedColor());
  return result;
}

FontDialogResult QtDialogBackend::RunFont(const FontDialogRequest& request) {
  QFont initial;
  if (request.weight > 0) initial.setWeight(static_cast<QFont::Weight>(std::clamp(request.weight, 1, 1000)));
  initial.setItalic(request.italic);
  initial.setUnderline(request.underline);
  initial.setStrikeOut(request.strikeOut);
  if (request.pointSizeTenths > 0) initial.setPointSizeF(request.pointSizeTenths / 10.0);
  QFontDialog dialog(initial, request.owner);
  dialog.setWindowTitle(QStringLiteral("フォント"));
  FontDialogResult result;
  if (dialog.exec() != QDialog::Accepted) return result;
  const QFont font = dialog.selectedFont();
  result.accepted = true;
  result.weight = font.weight();
  result.italic = font.italic();
  result.underline = font.underline();
  result.strikeOut = font.strikeOut();
  result.faceName = font.family();
  result.pointSizeTenths = font.pointSizeF() > 0 ? qRound(font.pointSizeF() * 10) : 0;
  return result;
}

PrinterDialogResult QtDialogBackend::RunPrinter(const PrinterDialogRequest& request) {
  QPrinter printer;
  QPrintDialog dialog(&printer, request.owner);
  QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintCollateCopies;
  if ((request.flags & kPdNoSelection) == 0) options |= QAbstractPrintDialog::PrintSelection;
  if ((request.flags & kPdNoPageNums) == 0) options |= QAbstractPrintDialog::PrintPageRange;
  if ((request.flags & (kPdDisablePrintToFile | kPdHidePrintToFile)) == 0) options |= QAbstractPrintDialog::PrintToFile;
  dialog.setOptions(options);
  if (request.minPage > 0 && request.minPage <= request.maxPage) dialog.setMinMax(request.minPage, request.maxPage);
  if (request.fromPage > 0 && request.fromPage <= request.toPage) printer.setFromTo(request.fromPage, request.toPage);
  if (request.copies > 0) printer.setCopyCount(request.copies);
  if ((request.flags & kPdSelection) != 0) {
    dialog.setPrintRange(QAbstractPrintDialog::Selection);
  } else if ((request.flags & kPdPageNums) != 0) {
    dialog.setPrintRange(QAbstractPrintDialog::PageRange);
  }

  PrinterDialogResult result;
  if (dialog.exec() != QDialog::Accepted) return result;
  result.accepted = true;
  result.hDC = request.hDC;  // no device contexts here: the handle passes through
  const bool pageRange = dialog.printRange() == QAbstractPrintDialog::PageRange;
  result.fromPage = pageRange ? static_cast<std::int16_t>(printer.fromPage()) : request.fromPage;
  result.toPage = pageRange ? static_cast<std::int16_t>(printer.toPage()) : request.toPage;
  result.minPage = request.minPage;
  result.maxPage = request.maxPage;
  result.copies = static_cast<std::int16_t>(printer.copyCount());
  return result;
}

std::int32_t QtDialogBackend::OpenHelp(const HelpRequest& request) {
  // Help opens in the desktop's own viewer, so there is nothing to close.
  if (request.command == kHelpQuit) return 1;
  if (request.helpFile.isEmpty()) return 0;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(request.helpFile)) ? 1 : 0;
}

}  // namespace qb
