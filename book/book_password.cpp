#include "book/book_password.h"

#include "book/book_record.h"
#include "common/byte_width_text.h"
#include "common/text_helpers.h"

namespace qb {

bool PasswordFitsBook(std::u16string_view password) { return ByteWidth(Trim(password)) <= kPasswordWidth; }

std::u16string BookPassword(std::u16string_view password) { return FitToBytes(Trim(password), kPasswordWidth); }

}  // namespace qb
