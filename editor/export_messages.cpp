#include "editor/export_messages.h"

#include "editor/number_text.h"

namespace qb::editor {
namespace {

constexpr std::u16string_view kBreak = u"\r\n";

std::u16string PicturePath(const ExportResult& result, const std::vector<std::u16string>& images) {
  const int index = result.writeDetail.pictureIndex;
  return index >= 0 && static_cast<std::size_t>(index) < images.size() ? images[static_cast<std::size_t>(index)]
                                                                       : std::u16string();
}

std::u16string PageText(const ExportResult& result) {
  return u"ページ " + DecimalText(result.writeDetail.pictureIndex + 1) + u" の画像";
}

std::u16string BookProblem(const ExportResult& result, const std::vector<std::u16string>& images) {
  switch (result.writeStatus) {
    case kWritePictureFailed:
      return PageText(result) + u"を読み込めませんでした。" + std::u16string(kBreak) + PicturePath(result, images);
    case kWriteTextTooLong: return u"コメント、ＵＲＬ、メールアドレスが長すぎます（合わせて 32767 バイトまでです）。";
    case kWriteTooLarge:
      if (result.writeDetail.pictureIndex < 0) return u"ブックが大きすぎます（2 GB までです）。";
      return PageText(result) + u"が大きすぎます（縦横 32767 ピクセルまでです）。" + std::u16string(kBreak) +
             PicturePath(result, images);
    case kWriteIoError: return u"ブックファイルを書き込めませんでした。" + std::u16string(kBreak) + result.bookPath;
    case kWriteNoPages: return u"ブックにするページがありません。";
    default: return u"ブックを書き出せませんでした。";
  }
}

std::u16string FieldLabel(BookText field) {
  switch (field) {
    case BookText::Author: return u"作者";
    case BookText::Title: return u"タイトル";
    case BookText::Password: return u"パスワード";
    case BookText::Comment: return u"コメント";
    case BookText::Url: return u"ＵＲＬ";
    case BookText::Mail: return u"E-MAIL";
  }
  return {};
}

// The characters with a blank between them, so that marks and narrow
// characters stay readable.
std::u16string Spaced(std::u16string_view characters) {
  std::u16string spaced;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    const bool pairEnd = characters[i] >= 0xDC00 && characters[i] <= 0xDFFF;
    if (i > 0 && !pairEnd) spaced += u' ';
    spaced += characters[i];
  }
  return spaced;
}

}  // namespace

std::u16string RefusalMessage(ExportRefusal why) {
  switch (why) {
    case ExportRefusal::NoImages: return u"画像を選択してください。";
    case ExportRefusal::NoAuthor: return u"作者を入力してください。";
    case ExportRefusal::TooManyImages: return u"ページは 32767 枚までです。画像を減らしてください。";
    case ExportRefusal::LongPassword:
      return u"パスワードは 8 バイト（半角 8 文字、全角 4 文字）までです。短くしてください。";
  }
  return {};
}

std::u16string ExportFailureMessage(const ExportResult& result, const std::vector<std::u16string>& images) {
  if (result.outcome != ExportResult::Outcome::Finished) return {};
  const bool bookFailed = result.writeStatus != kWriteOk && result.writeStatus != kWriteCancelled;
  std::u16string message;
  if (bookFailed) {
    message = BookProblem(result, images) + std::u16string(kBreak) + u"ブックは書き出されませんでした。";
  }
  if (!result.definitionSaved) {
    if (!message.empty()) message += std::u16string(kBreak) + std::u16string(kBreak);
    message += u"定義ファイルを保存できませんでした。" + std::u16string(kBreak) + result.definitionPath;
  } else if (bookFailed) {
    message += std::u16string(kBreak) + std::u16string(kBreak) + u"定義ファイルは保存しました。" +
               std::u16string(kBreak) + result.definitionPath;
  }
  return message;
}

std::u16string TextLossMessage(const std::vector<TextLoss>& losses) {
  std::u16string message =
      u"次の文字はブックの文字コード（シフトJIS）にないため、ブックには似た文字か「?」で保存しました。" +
      std::u16string(kBreak);
  for (const TextLoss& loss : losses) {
    message += std::u16string(kBreak) + FieldLabel(loss.field) + u"： " + Spaced(loss.characters);
  }
  message += std::u16string(kBreak) + std::u16string(kBreak) + u"入力欄と定義ファイルには元の文字のまま残っています。";
  return message;
}

std::u16string ExportProgressText(int page, int count) {
  return u"ページ " + DecimalText(page + 1) + u" / " + DecimalText(count);
}

}  // namespace qb::editor
