#pragma once
// Percent-encoding of bytes (RFC 3986): everything but the unreserved
// characters, and any the caller also keeps, becomes %XX. Used wherever a
// name must survive a text format it could otherwise break (a web address,
// a settings value).

#include <string>
#include <string_view>

namespace qb {

std::string PercentEncode(std::string_view bytes, std::string_view alsoPlain = {});

}  // namespace qb
