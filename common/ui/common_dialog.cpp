#include "common/ui/common_dialog.h"

#include "common/cp932.h"
#include "common/text_helpers.h"
#include "common/ui/common_dialog_codes.h"
#include "common/ui/common_dialog_error.h"
#include "common/ui/common_dialog_filters.h"
#include "common/ui/common_dialog_rules.h"

namespace qb {
namespace {

using namespace dialog_codes;

constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kBoldWeight = 700;
constexpr char kCancelDescription[] = "Cancel was selected.";

std::int16_t TruthValue(bool value) { return value ? kTrue : kFalse; }

}  // namespace

void clsCommonDialog::ShowOpen() { ShowFileDialog(FileDialogKind::Open); }

void clsCommonDialog::ShowSave() { ShowFileDialog(FileDialogKind::Save); }

void clsCommonDialog::ShowFileDialog(FileDialogKind kind) {
  apiReturn_ = 0;
  extendedError_ = 0;
  FileDialogRequest request;
  request.kind = kind;
  request.owner = hwndOwner_;
  request.title = dialogTitle_;
  request.initialFolder = initDir_;
  request.fileName = fileName_;
  request.nameFilters = NameFiltersFromApiFilter(FilterToApi(filter_));
  request.selectedNameFilter = SelectedNameFilter(request.nameFilters, filterIndex_);
  request.flags = static_cast<std::uint32_t>(flags_);
  request.defaultExtension = defaultExt_;
  request.bufferSize = FileBufferSize(maxFileSize_);

  const FileDialogResult result = CurrentDialogBackend().RunFile(request);
  if (!result.accepted) {
    EndWithoutResult(result.extendedError, kCancelErrorNumber, kCancelDescription);
    return;
  }
  // The path is taken as the dialog gives it, not through StripNulPadding:
  // file names here may begin or end with blanks, and trimming them would
  // name another file.
  const QString& path = result.path;
  if (!PathFitsFileBuffer(path, request.bufferSize)) {
    EndWithoutResult(kFnerrBufferTooSmall, kCancelErrorNumber, kCancelDescription);
    return;
  }
  apiReturn_ = 1;
  fileName_ = path;
  fileTitle_ = FileTitleOf(path);
}

void clsCommonDialog::ShowColor() {
  action_ = 3;
  apiReturn_ = 0;
  extendedError_ = 0;
  ColorDialogRequest request;
  request.owner = hwndOwner_;
  request.color = static_cast<std::uint32_t>(color_);
  request.flags = static_cast<std::uint32_t>(flags_);
  // Built anew for every call: custom colours are not kept between dialogs.
  request.customColors.fill(kWhite);

  const ColorDialogResult result = CurrentDialogBackend().RunColor(request);
  if (!result.accepted) {
    EndWithoutResult(result.extendedError, kColorCancelErrorNumber, "Cancel Pressed");
    return;
  }
  apiReturn_ = 1;
  color_ = static_cast<std::int32_t>(result.color);
}

void clsCommonDialog::ShowFont() {
  action_ = 4;
  apiReturn_ = 0;
  extendedError_ = 0;
  FontDialogRequest request;
  request.owner = hwndOwner_;
  request.weight = fontBold_ != 0 ? kBoldWeight : 0;
  request.italic = fontItalic_ != 0;
  request.underline = fontUnderline_ != 0;
  request.strikeOut = fontStrikethru_ != 0;
  request.pointSizeTenths = PointsToTenths(fontSize_);
  request.flags = static_cast<std::uint32_t>(flags_);

  const FontDialogResult result = CurrentDialogBackend().RunFont(request);
  if (!result.accepted) {
    EndWithoutResult(result.extendedError, kCancelErrorNumber, kCancelDescription);
    return;
  }
  apiReturn_ = 1;
  fontBold_ = TruthValue(result.weight >= kBoldWeight);
  fontItalic_ = TruthValue(result.italic);
  fontUnderline_ = TruthValue(result.underline);
  fontStrikethru_ = TruthValue(result.strikeOut);
  fontName_ = ByteArrayToText(FaceNameField(result.faceName));
  fontSize_ = TenthsToPoints(result.pointSizeTenths);
}

void clsCommonDialog::ShowPrinter() {
  action_ = 5;
  apiReturn_ = 0;
  extendedError_ = 0;
  PrinterDialogRequest request;
  request.owner = hwndOwner_;
  request.hDC = hDC_;
  request.flags = static_cast<std::uint32_t>(flags_);
  // The record holds the page numbers and copies in 16 bits.
  request.fromPage = static_cast<std::int16_t>(fromPage_);
  request.toPage = static_cast<std::int16_t>(toPage_);
  request.minPage = static_cast<std::int16_t>(min_);
  request.maxPage = static_cast<std::int16_t>(max_);
  request.copies = static_cast<std::int16_t>(copies_);

  const PrinterDialogResult result = CurrentDialogBackend().RunPrinter(request);
  if (!result.accepted) {
    EndWithoutResult(result.extendedError, kCancelErrorNumber, kCancelDescription);
    return;
  }
  apiReturn_ = 1;
  fromPage_ = result.fromPage;
  toPage_ = result.toPage;
  min_ = result.minPage;
  max_ = result.maxPage;
  copies_ = result.copies;
  hDC_ = result.hDC;
}

void clsCommonDialog::ShowHelp() {
  action_ = 6;
  extendedError_ = 0;
  apiReturn_ = CurrentDialogBackend().OpenHelp({hwndOwner_, helpFile_, helpCommand_});
}

void clsCommonDialog::EndWithoutResult(std::int32_t extendedError, std::int32_t errorNumber, const char* description) {
  apiReturn_ = 0;
  extendedError_ = extendedError;
  if (cancelError_ != 0) throw CommonDialogError(errorNumber, description);
}

QString clsCommonDialog::FilterToApi(const QString& filter) {
  QString api = filter;
  api.replace(u'|', QChar(u'\0'));
  api += QChar(u'\0');
  return api;
}

QString clsCommonDialog::StripNulPadding(const QString& text) {
  const qsizetype nul = text.indexOf(QChar(u'\0'));
  return QString::fromStdU16String(Trim((nul < 0 ? text : text.left(nul)).toStdU16String()));
}

QString clsCommonDialog::ByteArrayToText(const QByteArray& bytes) {
  const qsizetype end = bytes.indexOf('\0');
  const QByteArray text = end < 0 ? bytes : bytes.left(end);
  return QString::fromStdU16String(
      cp932::Decode(std::string_view(text.constData(), static_cast<std::size_t>(text.size()))));
}

}  // namespace qb
