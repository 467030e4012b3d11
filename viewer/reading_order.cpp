#include "viewer/reading_order.h"

namespace qb::viewer {

PageKeyAction OrderedPageKey(ReaderKey key, KeyModifiers modifiers, bool rightToLeft) {
  const PageKeyAction action = PageKeyFor(key, modifiers);
  if (!rightToLeft || (key != ReaderKey::Left && key != ReaderKey::Right)) return action;
  if (action == PageKeyAction::Previous) return PageKeyAction::Next;
  if (action == PageKeyAction::Next) return PageKeyAction::Previous;
  return action;
}

}  // namespace qb::viewer
