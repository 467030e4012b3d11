#include "book/text_losses.h"

#include "common/cp932_losses.h"

namespace qb {

std::vector<TextLoss> TextLosses(const BookRecord& book) {
  const std::pair<BookText, const std::u16string*> texts[] = {
      {BookText::Author, &book.Author},   {BookText::Title, &book.Title}, {BookText::Password, &book.Password},
      {BookText::Comment, &book.Comment}, {BookText::Url, &book.Url},     {BookText::Mail, &book.Mail},
  };
  std::vector<TextLoss> losses;
  for (const auto& [field, text] : texts) {
    if (std::u16string lost = cp932::LostCharacters(*text); !lost.empty()) losses.push_back({field, std::move(lost)});
  }
  return losses;
}

}  // namespace qb
