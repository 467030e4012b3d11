#pragma once
// The common dialog object both programs use: a fresh instance per dialog;
// set the properties the dialog reads, call one Show operation, read the
// results back from the properties. Truth values are 16-bit: -1 true, 0
// false; any nonzero value set counts as true. An empty FileName after
// ShowOpen or ShowSave means the user cancelled.
//
// Show operations end quietly on failure; with CancelError set, a dialog
// that ends without a result raises CommonDialogError (2001, or 0x8004037E
// "Cancel Pressed" for the colour dialog).

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "common/ui/dialog_backend.h"

class QWidget;

namespace qb {

class clsCommonDialog {
 public:
  void ShowColor();
  void ShowFont();
  // Hands HelpFile to the desktop's viewer; never raises.
  void ShowHelp();
  void ShowOpen();
  void ShowSave();
  void ShowPrinter();

  // File dialogs: pairs of description and pattern list ("*.bmp;*.gif"),
  // each element ended by "|" or by a NUL character.
  QString Filter() const { return filter_; }
  void setFilter(const QString& value) { filter_ = value; }
  // File dialogs: initial file name in, chosen path out.
  QString FileName() const { return fileName_; }
  void setFileName(const QString& value) { fileName_ = value; }
  // Kind of the last colour (3), font (4), print (5) or help (6) call; file
  // dialogs leave it as it was.
  std::int16_t Action() const { return action_; }
  // 1-based index of the filter selected at first.
  std::int16_t FilterIndex() const { return filterIndex_; }
  void setFilterIndex(std::int16_t value) { filterIndex_ = value; }
  std::int16_t CancelError() const { return cancelError_; }
  void setCancelError(std::int16_t value) { cancelError_ = value; }
  // 0x00BBGGRR.
  std::int32_t Color() const { return color_; }
  void setColor(std::int32_t value) { color_ = value; }
  std::int32_t Copies() const { return copies_; }
  void setCopies(std::int32_t value) { copies_ = value; }
  QString DefaultExt() const { return defaultExt_; }
  void setDefaultExt(const QString& value) { defaultExt_ = value; }
  QString DialogTitle() const { return dialogTitle_; }
  void setDialogTitle(const QString& value) { dialogTitle_ = value; }
  // The Flags word of whichever dialog is shown (common_dialog_codes.h).
  std::int32_t flags() const { return flags_; }
  void setFlags(std::int32_t value) { flags_ = value; }
  std::int16_t FontBold() const { return fontBold_; }
  void setFontBold(std::int16_t value) { fontBold_ = value; }
  std::int16_t FontItalic() const { return fontItalic_; }
  void setFontItalic(std::int16_t value) { fontItalic_ = value; }
  QString FontName() const { return fontName_; }
  void setFontName(const QString& value) { fontName_ = value; }
  // Whole points.
  std::int32_t FontSize() const { return fontSize_; }
  void setFontSize(std::int32_t value) { fontSize_ = value; }
  std::int16_t FontStrikethru() const { return fontStrikethru_; }
  void setFontStrikethru(std::int16_t value) { fontStrikethru_ = value; }
  std::int16_t FontUnderline() const { return fontUnderline_; }
  void setFontUnderline(std::int16_t value) { fontUnderline_ = value; }
  std::int32_t FromPage() const { return fromPage_; }
  void setFromPage(std::int32_t value) { fromPage_ = value; }
  std::int32_t hDC() const { return hDC_; }
  std::int32_t HelpCommand() const { return helpCommand_; }
  void setHelpCommand(std::int32_t value) { helpCommand_ = value; }
  QString HelpContext() const { return helpContext_; }
  void setHelpContext(const QString& value) { helpContext_ = value; }
  QString HelpFile() const { return helpFile_; }
  void setHelpFile(const QString& value) { helpFile_ = value; }
  QString HelpKey() const { return helpKey_; }
  void setHelpKey(const QString& value) { helpKey_ = value; }
  QString InitDir() const { return initDir_; }
  void setInitDir(const QString& value) { initDir_ = value; }
  std::int32_t Max() const { return max_; }
  void setMax(std::int32_t value) { max_ = value; }
  // File-name buffer in characters; 0 or less means 1024.
  std::int32_t MaxFileSize() const { return maxFileSize_; }
  void setMaxFileSize(std::int32_t value) { maxFileSize_ = value; }
  std::int32_t Min() const { return min_; }
  void setMin(std::int32_t value) { min_ = value; }
  std::int16_t PrinterDefault() const { return printerDefault_; }
  void setPrinterDefault(std::int16_t value) { printerDefault_ = value; }
  std::int32_t ToPage() const { return toPage_; }
  void setToPage(std::int32_t value) { toPage_ = value; }
  // The chosen file's name without its folder.
  QString FileTitle() const { return fileTitle_; }
  // 1 when the last dialog gave a result, 0 when it was cancelled or failed.
  std::int32_t APIReturn() const { return apiReturn_; }
  // The extended error of the last call; 0 for none or a plain cancel.
  std::int32_t ExtendedError() const { return extendedError_; }
  QWidget* hwndOwner() const { return hwndOwner_; }
  void setHwndOwner(QWidget* value) { hwndOwner_ = value; }

  // Every "|" becomes a NUL character and one NUL is appended.
  static QString FilterToApi(const QString& filter);
  // The text before its first NUL, without blanks at either end.
  static QString StripNulPadding(const QString& text);
  // The bytes up to the first 0 byte, decoded from code page 932.
  static QString ByteArrayToText(const QByteArray& bytes);

 private:
  void ShowFileDialog(FileDialogKind kind);
  // A dialog that ended without a result: records it and raises the cancel
  // error when CancelError is set.
  void EndWithoutResult(std::int32_t extendedError, std::int32_t errorNumber, const char* description);

  QString filter_;
  QString fileName_;
  std::int16_t action_ = 0;
  std::int16_t filterIndex_ = 0;
  std::int16_t cancelError_ = 0;
  std::int32_t color_ = 0;
  std::int32_t copies_ = 0;
  QString defaultExt_;
  QString dialogTitle_;
  std::int32_t flags_ = 0;
  std::int16_t fontBold_ = 0;
  std::int16_t fontItalic_ = 0;
  QString fontName_;
  std::int32_t fontSize_ = 0;
  std::int16_t fontStrikethru_ = 0;
  std::int16_t fontUnderline_ = 0;
  std::int32_t fromPage_ = 0;
  std::int32_t hDC_ = 0;
  std::int32_t helpCommand_ = 0;
  QString helpContext_;
  QString helpFile_;
  QString helpKey_;
  QString initDir_;
  std::int32_t max_ = 0;
  std::int32_t maxFileSize_ = 0;
  std::int32_t min_ = 0;
  std::int16_t printerDefault_ = 0;
  std::int32_t toPage_ = 0;
  QString fileTitle_;
  std::int32_t apiReturn_ = 0;
  std::int32_t extendedError_ = 0;
  QWidget* hwndOwner_ = nullptr;
};

}  // namespace qb
