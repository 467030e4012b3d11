#pragma once
// A book's password: kPasswordWidth bytes of code page 932 in the header,
// compared with what a reader types without surrounding blanks.

#include <string>
#include <string_view>

namespace qb {

// Whether password, without surrounding blanks, fits the header. One that
// does not is refused rather than cut: a cut password locks out the readers
// who type what the author typed.
bool PasswordFitsBook(std::u16string_view password);

// The header text of a password that fits: without surrounding blanks,
// padded with blanks to the width.
std::u16string BookPassword(std::u16string_view password);

}  // namespace qb
