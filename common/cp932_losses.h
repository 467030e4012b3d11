#pragma once
// Which characters of a text code page 932 cannot hold. Encoding replaces
// them silently (a best-fit look-alike such as "u" for "ü", or "?"), so the
// places that store text in code page 932 ask first what would change.

#include <string>
#include <string_view>

namespace qb::cp932 {

// The characters of text that do not come back unchanged from a code page
// 932 round trip, each once, in the order they first appear. A surrogate
// pair counts as one character; an unpaired surrogate is lost on its own.
// Empty when the text fits.
std::u16string LostCharacters(std::u16string_view text);

// Whether code page 932 holds text exactly: no "?" for a missing character
// and no look-alike from a best-fit mapping.
bool HoldsExactly(std::u16string_view text);

}  // namespace qb::cp932
