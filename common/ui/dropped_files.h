#pragma once
// What a drag and drop from a file manager carries: the local files it
// names, in the order given, and the first of them of one type.

#include <string>
#include <string_view>
#include <vector>

class QMimeData;

namespace qb {

// The local paths among the dropped addresses; remote addresses and text
// without addresses give nothing.
std::vector<std::u16string> DroppedLocalFiles(const QMimeData* data);

// The first path whose name ends in extension (".qbb"; letter case
// ignored), or an empty text when none does.
std::u16string FirstWithExtension(const std::vector<std::u16string>& paths, std::u16string_view extension);

// Whether path ends in extension, letter case ignored for ASCII letters.
bool HasExtension(std::u16string_view path, std::u16string_view extension);

}  // namespace qb
