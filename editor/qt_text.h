#pragma once
// Texts of the editor rules (UTF-16) as Qt takes them.

#include <QString>
#include <string_view>

namespace qb::editor {

inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace qb::editor
