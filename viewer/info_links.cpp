#include "viewer/info_links.h"

namespace qb::viewer {

std::optional<std::u16string> InfoLinkTarget(int labelIndex, std::u16string_view caption) {
  if (labelIndex == kHomePageLabel) return std::u16string(caption);
  if (labelIndex == kMailLabel) return u"MailTo:" + std::u16string(caption);
  return std::nullopt;
}

}  // namespace qb::viewer
