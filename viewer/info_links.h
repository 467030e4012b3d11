#pragma once
// What a click on one of the information window's field labels hands to
// the shell.

#include <optional>
#include <string>
#include <string_view>

namespace qb::viewer {

inline constexpr int kHomePageLabel = 2;
inline constexpr int kMailLabel = 3;

// The home page label (2) gives its text, the mail label (3) "MailTo:"
// followed by its text ("MailTo:" alone starts a mail without recipient);
// the other labels give nothing.
std::optional<std::u16string> InfoLinkTarget(int labelIndex, std::u16string_view caption);

}  // namespace qb::viewer
