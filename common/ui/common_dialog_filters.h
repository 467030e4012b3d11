#pragma once
// File dialog filters: from the NUL-separated pairs of description and
// pattern list the wrapper passes on, to the name filters of a Qt dialog.

#include <QString>
#include <QStringList>

namespace qb {

// "ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ", NUL, "*.qbb", NUL, NUL gives "ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ (*.qbb)"; the
// patterns of one list ("*.bmp;*.gif") are blank-separated in the
// parentheses, "*.*" (every file) becomes "*". The list ends at its first
// empty element, and a description without a pattern list is dropped.
QStringList NameFiltersFromApiFilter(const QString& apiFilter);

// The name filter that FilterIndex (1-based) selects; the first one when the
// index is outside the list, empty when there are no filters.
QString SelectedNameFilter(const QStringList& nameFilters, int filterIndex);

}  // namespace qb
