#pragma once
// Reading right to left: the book runs from right to left, so the arrow
// pointing left goes forward and the one pointing right goes back. Every
// other key keeps its meaning.

#include "viewer/page_keys.h"

namespace qb::viewer {

PageKeyAction OrderedPageKey(ReaderKey key, KeyModifiers modifiers, bool rightToLeft);

}  // namespace qb::viewer
